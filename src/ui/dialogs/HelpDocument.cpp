// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/HelpDocument.h"

#include "platform/PlatformServices.h"

#include <QDir>
#include <QFileInfo>

std::optional<QString> HelpDocumentPath(const QString& AProgramFolder) {
    const QDir Folder(AProgramFolder);
    for (const QString& Candidate :
         {QStringLiteral("help.pdf"), QStringLiteral("../share/vibrona/help.pdf")}) {
        const QFileInfo File(Folder.filePath(Candidate));
        if (File.isFile())
            return QDir::cleanPath(File.absoluteFilePath());
    }
    return std::nullopt;
}

void OpenHelpDocument(IPlatformServices& APlatform, const QString& AProgramFolder) {
    const std::optional<QString> Path = HelpDocumentPath(AProgramFolder);
    if (!Path)
        return;
    try {
        APlatform.OpenDocument(*Path);
    } catch (const std::exception&) {
    }
}
