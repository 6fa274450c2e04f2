// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/TextExportRun.h"

#include "analysis/Recalculation.h"
#include "ui/window/ProgressRunner.h"
#include "util/AtomicFile.h"

bool RunTextExport(const TProgressRunner& ARunner, const QString& AFileName, const TWork& AWork,
                   const TTextWriter& AWrite) {
    const TCalcCost Cost{AWork, Seconds(AWork), 0};
    try {
        ARunner.Run<bool>(Cost, [&](const TProgressCallback& ACallback) {
            // Made, written and committed on the thread that runs the export; a cancel
            // or an error unwinding through it removes the temporary.
            TStagedFile File(AFileName);
            TProgress Progress(ACallback, Cost.Seconds);
            AWrite([&File](QByteArrayView APiece) { File.Append(APiece); }, &Progress);
            // The last chance to stop, before the target is touched.
            Progress.Finish();
            File.Commit();
            return true;
        });
    } catch (const ECancelled&) {
        return false;
    }
    return true;
}
