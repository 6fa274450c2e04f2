// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/Spectrum.h"

int CompareSamplesByMagnitude(const TSpectrumSample& AFirst, const TSpectrumSample& ASecond) {
    if (AFirst.Magnitude() > ASecond.Magnitude())
        return -1;
    if (AFirst.Magnitude() < ASecond.Magnitude())
        return 1;
    return 0;
}

void TSpectrum::MarkPeaks() {
    MarkLocalMaxima(
        Count(), [this](int i) { return GetSample(i).Magnitude(); },
        [this](int i) { GetSample(i).SetPeak(true); });
}
