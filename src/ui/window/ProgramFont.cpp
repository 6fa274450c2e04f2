// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/ProgramFont.h"

#include <QFile>
#include <QFontDatabase>

QStringList LoadProgramFonts(const QStringList& AFiles) {
    QStringList Families;
    for (const QString& File : AFiles) {
        if (!QFile::exists(File))
            continue;
        const int Id = QFontDatabase::addApplicationFont(File);
        if (Id >= 0)
            Families << QFontDatabase::applicationFontFamilies(Id);
    }
    Families.removeDuplicates();
    return Families;
}

QFont ProgramFont() {
    QFont Font = QFontDatabase::families().contains(QStringLiteral("Tahoma"))
                     ? QFont(QStringLiteral("Tahoma"))
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    Font.setPointSize(8);
    return Font;
}
