// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/SignalGenerators.h"

#include "model/SignalList.h"

#include <memory>
#include <numbers>

namespace {

constexpr double Fundamental = 50;

std::unique_ptr<TSignal> Harmonic(long double AAmplitude, int AK) {
    return std::make_unique<TSignal>(static_cast<double>(AAmplitude), 0, Fundamental * AK, 0);
}

// The k-th harmonic of a kind; amplitudes are worked out in extended precision.
std::unique_ptr<TSignal> HarmonicOf(int AKind, int AK) {
    const long double K = AK;
    switch (AKind) {
    case gkMeander:
        return Harmonic(4 / SignalPi / K, AK);
    case gkTriangle: {
        const long double Sign = ((AK - 1) / 2) % 2 == 0 ? 1 : -1;
        return Harmonic(8 / (SignalPi * SignalPi) * Sign / (K * K), AK);
    }
    case gkLeftSaw:
        return Harmonic(1 / SignalPi / K, AK);
    default:
        return Harmonic(-(1 / SignalPi) / K, AK);
    }
}

} // namespace

bool GeneratorNeedsCount(int AKind) {
    return AKind >= gkMeander && AKind <= gkRightSaw;
}

void GenerateSignals(TSignals& ASignals, int AKind, int AHarmonics) {
    ASignals.Clear();
    if (!GeneratorNeedsCount(AKind)) {
        const double DampingFactor = AKind == gkDampedOscillation ? 60 : 0;
        ASignals.Add(std::make_unique<TSignal>(1, 0, Fundamental, DampingFactor));
        return;
    }
    // The meander and the triangle have odd harmonics only.
    const bool OddOnly = AKind == gkMeander || AKind == gkTriangle;
    const int Loops = OddOnly ? 2 * AHarmonics : AHarmonics;
    for (int j = 1; j <= Loops; ++j)
        if (!OddOnly || j % 2 == 1)
            ASignals.Add(HarmonicOf(AKind, j));
}
