// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/Progress.h"

#include <algorithm>

ECancelled::ECancelled() : EVibronaError(QStringLiteral("Расчет прерван")) {}

TProgress::TProgress(const TProgressCallback& ACallback, double ATotalSeconds)
    : FCallback(ACallback ? &ACallback : nullptr), FTotal(std::max(ATotalSeconds, 0.0)) {
    Report(0);
}

void TProgress::Advance(double ASeconds) {
    FDone += ASeconds;
    if (FCallback && FDone >= FNextReport)
        Report(FTotal > 0 ? FDone / FTotal : 0);
}

void TProgress::Finish() {
    Report(1);
}

void TProgress::Report(double ADone) {
    // At least a hundred reports over the whole work, however short.
    FNextReport = FDone + std::min(TickSeconds, FTotal / 100);
    if (!FCallback)
        return;
    // The estimate of a stage may fall short of its real work; the share never goes back.
    FLastShare = std::max(FLastShare, std::clamp(ADone, 0.0, 1.0));
    if (!(*FCallback)(FLastShare))
        throw ECancelled();
}
