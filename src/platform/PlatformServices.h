// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "util/Errors.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

class QWidget;

// A failure of an operating-system service.
class EPlatformError : public EVibronaError {
public:
    using EVibronaError::EVibronaError;
};

// The two message boxes of the program.
enum class TMessageKind {
    Warning, // OK and the exclamation icon: refusals of a command
    Error    // OK and the error icon: the application's error box
};

// A file dialog's set-up. Filter holds "description|mask" pairs separated by "|",
// for example "Проекты (*.vbf)|*.vbf|Все файлы (*.*)|*.*".
struct TFileDialogOptions {
    QString Title;
    QString Filter;
    QString DefaultExt; // without the dot; appended when the typed name has none
    QString InitialDir;
    QString FileName;
};

struct TMemoryStatus {
    std::uint64_t TotalPhys = 0;
    std::uint64_t AvailPhys = 0;
    // What the process's own limits still allow it: address space, data size and
    // memory control group.
    std::uint64_t AvailProcess = std::numeric_limits<std::uint64_t>::max();

    // The memory a computation may count on.
    std::uint64_t Usable() const { return std::min(AvailPhys, AvailProcess); }
};

// Everything the windows ask of the desktop. The program uses the Qt implementation;
// tests answer the same questions from a script.
class IPlatformServices {
public:
    // Decides whether the input box may close with the text the user confirmed.
    using TCloseQuery = std::function<bool(const QString& AValue)>;

    virtual ~IPlatformServices() = default;

    virtual void MessageBox(QWidget* AOwner, const QString& AText, const QString& ACaption,
                            TMessageKind AKind) = 0;
    // A question with "Да" and "Нет", "Нет" being the default and Escape; true for "Да".
    virtual bool Question(QWidget* AOwner, const QString& AText, const QString& ACaption) = 0;
    // A modal one-line input box with OK and Cancel. AValue holds the initial text and,
    // when true is returned, the accepted one. OK is refused while ACloseQuery says no.
    virtual bool InputQuery(QWidget* AOwner, const QString& ACaption, const QString& APrompt,
                            QString& AValue, const TCloseQuery& ACloseQuery) = 0;
    // The chosen full path; nothing when the user cancels. Only existing files are accepted.
    virtual std::optional<QString> OpenFileDialog(QWidget* AOwner,
                                                  const TFileDialogOptions& AOptions) = 0;
    // The chosen full path; asks before replacing an existing file.
    virtual std::optional<QString> SaveFileDialog(QWidget* AOwner,
                                                  const TFileDialogOptions& AOptions) = 0;
    // Opens a file, a web address or a "mailto:" address with its registered program.
    // The outcome is not reported.
    virtual void OpenDocument(const QString& ADocument) = 0;
    // Raises EPlatformError when the system cannot tell.
    virtual TMemoryStatus MemoryStatus() = 0;
};

// The memory a file being read may take: what the system reports usable, no bound
// when it cannot tell.
inline std::uint64_t MemoryForReading(IPlatformServices& APlatform) {
    try {
        return APlatform.MemoryStatus().Usable();
    } catch (const EPlatformError&) {
        return std::numeric_limits<std::uint64_t>::max();
    }
}
