// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/CommandGuard.h"

#include "platform/PlatformServices.h"
#include "util/Errors.h"

#include <QTimer>
#include <QWidget>

#include <exception>
#include <new>
#include <optional>

namespace {

// The text of the error escaping ACommand, or nothing when it ran to its end.
std::optional<QString> ErrorOf(const std::function<void()>& ACommand) {
    try {
        ACommand();
        return std::nullopt;
    } catch (const EVibronaError& E) {
        return E.Message();
    } catch (const std::bad_alloc&) {
        // Shown in Russian, never as the library's "std::bad_alloc".
        return QStringLiteral("Недостаточно памяти для выполнения команды");
    } catch (const std::exception& E) {
        return QString::fromLocal8Bit(E.what());
    }
}

} // namespace

bool TCommandGuard::Run(const std::function<void()>& ACommand) const {
    const std::optional<QString> Error = ErrorOf(ACommand);
    if (Error)
        FPlatform.MessageBox(FOwner, ErrorBoxText(*Error), FCaption, TMessageKind::Error);
    return !Error;
}

void TCommandGuard::RunLater(const std::function<void()>& ACommand) const {
    const std::optional<QString> Error = ErrorOf(ACommand);
    if (!Error)
        return;
    QTimer::singleShot(0, FOwner, [this, Message = *Error] {
        FPlatform.MessageBox(FOwner, ErrorBoxText(Message), FCaption, TMessageKind::Error);
    });
}
