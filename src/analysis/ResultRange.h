// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Progress.h"
#include "analysis/WorkCost.h"
#include "util/Errors.h"

#include <cmath>
#include <cstddef>
#include <span>

class TSignal;
class TWorkers;

// A recalculation whose numbers would leave the range of double: the message says
// what is out of range and what to reduce.
class EOutOfRange : public EVibronaError {
public:
    using EVibronaError::EVibronaError;
};

// |re + i im| without overflow or underflow of the squares: the rounded
// sqrt(re^2 + im^2) wherever that sum of squares is a normal number.
inline double BinMagnitude(double ARe, double AIm) {
    const double Squares = ARe * ARe + AIm * AIm;
    return std::isnormal(Squares) ? std::sqrt(Squares) : std::hypot(ARe, AIm);
}

// The work of the checks below over AValues values: each value read once.
TWork RangeCheckWork(std::size_t AValues);

// Raises EOutOfRange when a signal that passed Calc holds a value beyond the range;
// APosition counts from 0, as in the grid's headers.
void CheckSignalRange(const TSignal& ASignal, int APosition);

// The largest |value| of a curve. Raises EOutOfRange when a value or the last of the
// times (the times run one way, so the last is the largest) is not finite.
double CheckedCurveRange(std::span<const double> ATime, std::span<const double> AValue,
                         TWorkers* AWorkers, TProgress& AProgress);

// Raises EOutOfRange when a magnitude or the last frequency is not finite.
void CheckSpectrumRange(std::span<const double> AFrequency, std::span<const double> AMagnitude,
                        TWorkers* AWorkers, TProgress& AProgress);

// A transform sums up to about 2^100 times its largest input on the way to a
// magnitude. A curve whose largest |value| could carry that beyond the range enters
// multiplied by 2^Shift, a negative power of two (exact for every value that stays
// normal), and the magnitudes come back multiplied by 2^-Shift. Shift is 0 for every
// curve below 2^900, about 8e270.
int TransformShift(double ALargest);
// Multiplies every value by 2^AShift; values beyond the range become infinite.
void ScaleByPowerOfTwo(std::span<double> AValues, int AShift);
