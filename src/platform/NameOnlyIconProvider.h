// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFileIconProvider>
#include <QMimeDatabase>

// Icons and type names for the file dialogs, told from a file's name alone. Qt's own
// provider reads the first bytes of a file whose name says nothing; in /proc such a
// read can block for good (/proc/kmsg) and takes away what it reads.
class TNameOnlyIconProvider : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& AInfo) const override;
    QString type(const QFileInfo& AInfo) const override;

private:
    QMimeDatabase FMimeTypes;
};
