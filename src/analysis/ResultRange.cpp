// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/ResultRange.h"

#include "analysis/Workers.h"
#include "model/Signal.h"

#include <algorithm>
#include <limits>

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

double CheckedCurveRange(std::span<const double> ATime, std::span<const double> AValue,
                         TProgress& AProgress) {
    if (!ATime.empty() && !Finite(ATime.back()))
        throw EOutOfRange(QStringLiteral("Время кривой выходит за пределы диапазона чисел: "
                                         "уменьшите период дискретизации (dt) или количество "
                                         "отсчетов сигнала (M)!"));
    double Max = 0;
    bool AllFinite = true;
    ForEachItem(AValue.size(), RangeCheckWork(AValue.size()), nullptr, AProgress,
                [&](std::size_t First, std::size_t Last) {
                    for (std::size_t i = First; i < Last; ++i) {
                        const double Magnitude = std::fabs(AValue[i]);
                        AllFinite = AllFinite && Magnitude <= Largest;
                        Max = std::max(Max, Magnitude);
                    }
                });
    if (!AllFinite)
        throw EOutOfRange(QStringLiteral("Значения кривой выходят за пределы диапазона чисел: "
                                         "уменьшите амплитуды и частоты сигналов или постоянную "
                                         "составляющую (C)!"));
    return Max;
}

void CheckSpectrumRange(std::span<const double> AFrequency, std::span<const double> AMagnitude,
                        TProgress& AProgress) {
    if (!AFrequency.empty() && !Finite(AFrequency.back()))
        throw EOutOfRange(QStringLiteral("Частоты спектра выходят за пределы диапазона чисел: "
                                         "увеличьте период дискретизации (dt) или размер "
                                         "ДПФ (N)!"));
    bool AllFinite = true;
    ForEachItem(AMagnitude.size(), RangeCheckWork(AMagnitude.size()), nullptr, AProgress,
                [&](std::size_t First, std::size_t Last) {
                    for (std::size_t k = First; k < Last; ++k)
                        AllFinite = AllFinite && AMagnitude[k] <= Largest; // never negative
                });
    if (!AllFinite)
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
