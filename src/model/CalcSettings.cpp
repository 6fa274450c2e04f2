// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/CalcSettings.h"

#include <cmath>

double LimitDt(double Adt) {
    // NaN compares false with everything, so test the accepted range instead.
    return Adt >= MinDt ? Adt : MinDt;
}

int LimitM(int AM) {
    return AM < MinM ? MinM : AM;
}

int LimitN(int AN) {
    return AN < MinN ? MinN : AN;
}

int LimitK(int AK, int AN) {
    const int Half = AN / 2;
    return (AK < 1 || AK > Half) ? Half : AK;
}

TWindowKind WindowKindFromOrdinal(int AOrdinal) {
    return IsWindowKind(AOrdinal) ? static_cast<TWindowKind>(AOrdinal) : wkNone;
}

TCalcSettings LimitSettings(const TCalcSettings& ASettings) {
    TCalcSettings Result = ASettings;
    Result.dt = LimitDt(ASettings.dt);
    Result.M = LimitM(ASettings.M);
    Result.N = LimitN(ASettings.N);
    Result.K = LimitK(ASettings.K, Result.N);
    Result.Window = WindowKindFromOrdinal(static_cast<int>(ASettings.Window));
    return Result;
}
