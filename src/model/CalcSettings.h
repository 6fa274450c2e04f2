// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/SignalTypes.h"

// The six settings of a recalculation, with their defaults.
struct TCalcSettings {
    double dt = 0.00025;
    int M = 200;
    double C = 0;
    int N = 4000;
    int K = 200;
    TWindowKind Window = wkNone;
};

// Limits that the settings editors enforce (and that opening a project applies).
inline constexpr double MinDt = 1e-6;
inline constexpr int MinM = 16;
inline constexpr int MinN = 16;

double LimitDt(double Adt);
int LimitM(int AM);
int LimitN(int AN);
// K must lie in 1 .. N div 2 against the N of the moment; otherwise it becomes N div 2.
int LimitK(int AK, int AN);
// An ordinal outside the five kinds becomes wkNone.
TWindowKind WindowKindFromOrdinal(int AOrdinal);

// Applies every limit at once, as for settings that come from a project file.
TCalcSettings LimitSettings(const TCalcSettings& ASettings);
