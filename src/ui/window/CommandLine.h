// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// What the program was asked for on its command line: vibrona [FILE.vbf] | --help | --version.
struct TCommandLine {
    enum TAction { Start, Help, Version, Refuse };
    TAction Action = Start;
    QString ProjectFile; // empty: start with the built-in project
};

// The arguments after the program's name.
TCommandLine ParseCommandLine(const QStringList& AArguments);

// The texts printed for --help, for --version and before the usage of a refused line.
QString CommandLineUsage();
QString VersionText();
