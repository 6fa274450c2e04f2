// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/NameOnlyIconProvider.h"

#include <QFileInfo>

QIcon TNameOnlyIconProvider::icon(const QFileInfo& AInfo) const {
    if (AInfo.isRoot())
        return icon(Drive);
    if (AInfo.isDir())
        return icon(Folder);
    const QMimeType Type =
        FMimeTypes.mimeTypeForFile(AInfo.fileName(), QMimeDatabase::MatchExtension);
    return QIcon::fromTheme(Type.iconName(), icon(File));
}

QString TNameOnlyIconProvider::type(const QFileInfo& AInfo) const {
    // Qt reads contents only to name the type of a file; drives and folders it names as is.
    if (!AInfo.isFile())
        return QFileIconProvider::type(AInfo);
    const QMimeType Type =
        FMimeTypes.mimeTypeForFile(AInfo.fileName(), QMimeDatabase::MatchExtension);
    return Type.comment().isEmpty() ? Type.name() : Type.comment();
}
