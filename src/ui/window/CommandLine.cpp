// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/CommandLine.h"

TCommandLine ParseCommandLine(const QStringList& AArguments) {
    TCommandLine Result;
    for (const QString& Arg : AArguments) {
        if (Arg == QLatin1String("--help") || Arg == QLatin1String("-h"))
            return {TCommandLine::Help, {}};
        if (Arg == QLatin1String("--version"))
            return {TCommandLine::Version, {}};
        // One project, and no options the program does not know.
        if (Arg.startsWith(QLatin1Char('-')) || !Result.ProjectFile.isEmpty())
            return {TCommandLine::Refuse, {}};
        Result.ProjectFile = Arg;
    }
    return Result;
}

QString CommandLineUsage() {
    return QStringLiteral("Использование: vibrona [ПРОЕКТ.vbf]\n"
                          "Открывает окно программы Vibrona; указанный проект открывается сразу.\n"
                          "  --help      эта справка\n"
                          "  --version   версия программы\n"
                          "Расчет без окна: vibrona-batch --help\n");
}

QString VersionText() {
    return QStringLiteral("Vibrona %1\n").arg(QStringLiteral(VIBRONA_VERSION));
}
