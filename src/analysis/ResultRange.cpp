// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/ResultRange.h"

#include "analysis/Workers.h"
#include "model/Signal.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr double Largest = std::numeric_limits<double>::max();

bool Finite(double AValue) {
    return std::fabs(AValue) <= Largest; // false for NaN as well
}

// Inputs below 2^SafeExponent keep every sum of a transform within the range.
constexpr int SafeExponent = 900;

} // namespace

void CheckSignalRange(const TSignal& ASignal, int APosition) {
    const auto Refuse = [APosition](const char* AText) {
        throw EOutOfRange(QString::fromUtf8(AText).arg(APosition));
    };
    if (!Finite(ASignal.Frequency()) || !Finite(ASignal.DF()) || !Finite(ASignal.W()) ||
        !Finite(ASignal.Wd()) || !Finite(ASignal.Fd()))
        Refuse("Частота сигнала [%1] выходит за пределы диапазона чисел: уменьшите частоту "
               "свободных колебаний (F)!");
    if (!Finite(ASignal.Amplitude()) || !Finite(ASignal.Velocity()) || !Finite(ASignal.A()))
        Refuse("Амплитуда сигнала [%1] выходит за пределы диапазона чисел: уменьшите начальную "
               "амплитуду (A), начальную скорость (V) или коэффициент затухания (D)!");
    if (!Finite(ASignal.Fi()))
        Refuse("Фаза сигнала [%1] выходит за пределы диапазона чисел: уменьшите фазу (Fi)!");
}

namespace {

// The bits of the largest |value| of AValue[0, n). For values without sign, the order of
// their bits is the order of the numbers, with infinity and NaN above every finite one;
// whole numbers compare in wide vectors, which floating-point maxima would not.
__attribute__((target_clones("avx512f", "avx2", "default"))) std::uint64_t
LargestBits(const double* AValue, std::size_t n) {
    std::uint64_t Largest = 0;
    for (std::size_t i = 0; i < n; ++i)
        Largest =
            std::max(Largest, std::bit_cast<std::uint64_t>(AValue[i]) & ~(std::uint64_t{1} << 63));
    return Largest;
}

// The largest |value| of AValues, or infinity when a value is not finite, in blocks on the
// workers.
double LargestMagnitude(std::span<const double> AValues, TWorkers* AWorkers, TProgress& AProgress) {
    std::vector<std::uint64_t> BlockLargest(BlockCount(AValues.size(), PassBlock), 0);
    ForEachItem(AValues.size(), RangeCheckWork(AValues.size()), AWorkers, AProgress,
                [&](std::size_t First, std::size_t Last) {
                    BlockLargest[First / PassBlock] =
                        LargestBits(AValues.data() + First, Last - First);
                });
    const std::uint64_t Bits =
        BlockLargest.empty() ? 0 : *std::max_element(BlockLargest.begin(), BlockLargest.end());
    return Bits > std::bit_cast<std::uint64_t>(Largest) ? HUGE_VAL : std::bit_cast<double>(Bits);
}

} // namespace

double CheckedCurveRange(std::span<const double> ATime, std::span<const double> AValue,
                         TWorkers* AWorkers, TProgress& AProgress) {
    if (!ATime.empty() && !Finite(ATime.back()))
        throw EOutOfRange(QStringLiteral("Время кривой выходит за пределы диапазона чисел: "
                                         "уменьшите период дискретизации (dt) или количество "
                                         "отсчетов сигнала (M)!"));
    const double Max = LargestMagnitude(AValue, AWorkers, AProgress);
    if (!Finite(Max))
        throw EOutOfRange(QStringLiteral("Значения кривой выходят за пределы диапазона чисел: "
                                         "уменьшите амплитуды и частоты сигналов или постоянную "
                                         "составляющую (C)!"));
    return Max;
}

void CheckSpectrumRange(std::span<const double> AFrequency, std::span<const double> AMagnitude,
                        TWorkers* AWorkers, TProgress& AProgress) {
    if (!AFrequency.empty() && !Finite(AFrequency.back()))
        throw EOutOfRange(QStringLiteral("Частоты спектра выходят за пределы диапазона чисел: "
                                         "увеличьте период дискретизации (dt) или размер "
                                         "ДПФ (N)!"));
    if (!Finite(LargestMagnitude(AMagnitude, AWorkers, AProgress)))
        throw EOutOfRange(QStringLiteral("Значения спектра выходят за пределы диапазона чисел: "
                                         "уменьшите амплитуды сигналов или постоянную "
                                         "составляющую (C)!"));
}

TWork RangeCheckWork(std::size_t AValues) {
    TWork Work;
    Work.Bytes = sizeof(double) * static_cast<double>(AValues);
    return Work;
}

int TransformShift(double ALargest) {
    if (!(ALargest >= std::ldexp(1.0, SafeExponent)))
        return 0;
    return SafeExponent - 1 - std::ilogb(ALargest);
}

void ScaleByPowerOfTwo(std::span<double> AValues, int AShift) {
    for (double& Value : AValues)
        Value = std::ldexp(Value, AShift);
}
