// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

class IPlatformServices;
class QWidget;

// The one guard every user command runs in. An error escaping the command is shown in
// the application's error box (ErrorBoxText of the error's text, captioned with the
// application title, error icon, OK) and goes no further, so no exception ever reaches
// Qt's event loop. A failed allocation reads "Недостаточно памяти для выполнения команды".
class TCommandGuard {
public:
    TCommandGuard(IPlatformServices& APlatform, QWidget* AOwner, QString ACaption)
        : FPlatform(APlatform), FOwner(AOwner), FCaption(std::move(ACaption)) {}

    // Returns false when the command failed.
    bool Run(const std::function<void()>& ACommand) const;
    // For painting, which cannot open a dialog: the error box follows once the
    // event loop is free again.
    void RunLater(const std::function<void()>& ACommand) const;

    IPlatformServices& Platform() const { return FPlatform; }

private:
    IPlatformServices& FPlatform;
    QWidget* FOwner;
    QString FCaption;
};
