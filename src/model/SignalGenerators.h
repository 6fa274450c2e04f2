// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class TSignals;

// The waveforms the generator menu offers; the numbers are the menu's kind numbers.
enum TGeneratorKind {
    gkMeander = 0,
    gkTriangle = 1,
    gkLeftSaw = 2,
    gkRightSaw = 3,
    gkDampedOscillation = 4,
    gkSineWave = 5
};

inline constexpr int MinHarmonicsCount = 1;
inline constexpr int MaxHarmonicsCount = 255;

// Whether the kind is a harmonic series whose length the user chooses.
bool GeneratorNeedsCount(int AKind);

// Replaces the signals by those of the kind: for a harmonic series AHarmonics sines of
// the 50 Hz fundamental and its harmonics in ascending order, otherwise one signal.
void GenerateSignals(TSignals& ASignals, int AKind, int AHarmonics);
