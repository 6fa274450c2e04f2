#pragma once

#include <QStringList>

#include <cstdio>

// vibrona-batch PROJECT.vbf [--curve FILE] [--spectrum FILE] [--samples FILE]
//               [--save-project FILE]
// Opens the project as the window does, recalculates, and writes the requested
// files ("-" is standard output). Returns the exit status: 0 on success, 1 on an
// error (reported on AErr, no output file created or changed), 2 on wrong arguments.
int RunBatch(const QStringList& AArguments, std::FILE* AOut, std::FILE* AErr);
