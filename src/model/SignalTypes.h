// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <array>
#include <cstdint>

// One input parameter of a signal.
enum TSignalParams {
    spAmplitude = 0,
    spVelocity = 1,
    spFrequency = 2,
    spDampingFactor = 3,
    spPhase = 4
};

// One operation applied to a parameter of every signal.
enum TChangeOperations { choMultiplication = 0, choAddition = 1, choSetValue = 2 };

// The window function of the DFT; the project file stores the ordinal.
enum TWindowKind : std::uint8_t {
    wkNone = 0,
    wkHamming = 1,
    wkGaussian = 2,
    wkBlackman = 3,
    wkBartlett = 4
};

inline constexpr int SignalParamCount = 5;
inline constexpr int ChangeOperationCount = 3;
inline constexpr int WindowKindCount = 5;

// Display names, indexed by the enumerations (the bulk change dialog lists them in this order).
extern const std::array<QString, SignalParamCount> SignalParamNames;
extern const std::array<QString, ChangeOperationCount> ChangeOperationNames;
// The enumerator names, as the settings editor offers them.
extern const std::array<QString, WindowKindCount> WindowKindNames;

bool IsWindowKind(int AOrdinal);
