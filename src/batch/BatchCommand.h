// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

#include <cstdio>

// vibrona-batch [PROJECT.vbf] [--record FILE[:CHANNEL]]... [--curve FILE]
//               [--spectrum FILE] [--samples FILE] [--save-project FILE]
//               [--curve-picture FILE] [--spectrum-picture FILE] [--picture-size WxH]
// Opens the project as the window does, appends the records (without a project the
// first record gives the settings), recalculates, and writes the requested files
// ("-" is standard output for the texts). Returns the exit status: 0 on success,
// 1 on an error (reported on AErr, no output file created or changed), 2 on wrong
// arguments, among them an output onto the project itself, onto a record's file or
// two onto one file.
int RunBatch(const QStringList& AArguments, std::FILE* AOut, std::FILE* AErr);

// Whether the arguments ask for pictures, which need a GUI application to draw them.
bool NeedsPictures(const QStringList& AArguments);
