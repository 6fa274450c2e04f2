// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/PlatformServices.h"

#include <QStringList>

// The desktop services through Qt's dialogs, message boxes and QDesktopServices.
class TQtPlatformServices : public IPlatformServices {
public:
    void MessageBox(QWidget* AOwner, const QString& AText, const QString& ACaption,
                    TMessageKind AKind) override;
    bool Question(QWidget* AOwner, const QString& AText, const QString& ACaption) override;
    bool InputQuery(QWidget* AOwner, const QString& ACaption, const QString& APrompt,
                    QString& AValue, const TCloseQuery& ACloseQuery) override;
    std::optional<QString> OpenFileDialog(QWidget* AOwner,
                                          const TFileDialogOptions& AOptions) override;
    std::optional<QString> SaveFileDialog(QWidget* AOwner,
                                          const TFileDialogOptions& AOptions) override;
    void OpenDocument(const QString& ADocument) override;
    TMemoryStatus MemoryStatus() override;
};

// "desc|mask|desc|mask" as Qt name filters: "desc (mask mask)". A description that
// already ends with its masks in parentheses is kept as it is.
QStringList NameFiltersFromPairs(const QString& AFilter);

// The one extension a Qt name filter names ("PNG (*.png)" gives "png"); empty for
// "*.*" and for filters with several masks.
QString SingleExtensionOf(const QString& AFilter);

// Total and available memory from the text of /proc/meminfo (MemTotal and
// MemAvailable, in KiB); nothing when either is missing.
std::optional<TMemoryStatus> MemoryStatusFromMemInfo(const QByteArray& AText);

// A text that names a local file becomes a file URL; addresses stay as they are.
class QUrl;
QUrl DocumentUrl(const QString& ADocument);
