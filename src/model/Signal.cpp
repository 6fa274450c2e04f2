// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/Signal.h"

#include "util/Errors.h"
#include "util/NumberFormat.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace {

bool NearZero(double x) {
    return std::fabs(x) <= SignalTolerance;
}

} // namespace

TSignal::TSignal(double AAmplitude, double AVelocity, double AFrequency, double ADampingFactor)
    : FAmplitude(AAmplitude), FVelocity(AVelocity), FFrequency(AFrequency), FDF(ADampingFactor) {}

int TSignal::Calc(const TFormatSettings& AFormat) {
    const bool SineWave = NearZero(FDF);
    if (FFrequency <= SignalTolerance)
        return 1;
    FW = static_cast<double>(FFrequency * 2 * SignalPi);
    if (FDF < 0)
        return 2;
    // Intermediates in extended precision; every stored field is a double.
    const long double W = FW, D = FDF;
    const long double Radicand = W * W - D * D;
    if (Radicand < 0)
        return 3;
    const long double Wd = std::sqrt(Radicand);
    FWd = static_cast<double>(Wd);
    FFd = static_cast<double>(Wd / 2 / SignalPi);
    if (NearZero(FAmplitude))
        return 4;

    const auto Num = [&](double AValue) { return FormatFloat(FloatFormat, AValue, AFormat); };
    if (SineWave) {
        FA = FAmplitude;
        FVelocity = 0;
        FWd = FW;
        if (FormulaIsStale(true, AFormat))
            FFormula = QStringLiteral("y = %1 * sin(%2 * t + %3)").arg(Num(FA), Num(FWd), Num(FFi));
        return 0;
    }

    const long double A = FAmplitude, V = FVelocity;
    const long double Denominator = A * D + V;
    if (Denominator == 0)
        return 6;
    FFi = static_cast<double>(std::atan(A * FWd / Denominator));
    if (FWd == 0)
        throw EZeroDivide();
    const long double Ratio = (D * A + V) / FWd;
    // The amplitude takes the sign of A * D + V, as the arctangent's quotient does, so
    // that the curve starts at A with the slope V whichever sign the quotient has.
    const long double Magnitude = std::sqrt(A * A + Ratio * Ratio);
    FA = static_cast<double>(Denominator < 0 ? -Magnitude : Magnitude);
    if (FormulaIsStale(false, AFormat))
        FFormula = QStringLiteral("y = %1 * Exp(-%2 * t) * sin(%3 * t + %4)")
                       .arg(Num(FA), Num(FDF), Num(FWd), Num(FFi));
    return 0;
}

// Formatting the formula costs more than the rest of a recalculation of a short curve,
// and most recalculations leave a signal as it was.
bool TSignal::FormulaIsStale(bool ASineWave, const TFormatSettings& AFormat) {
    const auto Bits = [](double x) { return std::bit_cast<std::uint64_t>(x); };
    const TFormulaKey Key{ASineWave,
                          Bits(FA),
                          Bits(FDF),
                          Bits(FWd),
                          Bits(FFi),
                          AFormat.DecimalSeparator,
                          AFormat.ThousandSeparator};
    if (!FFormula.isEmpty() && Key == FFormulaKey)
        return false;
    FFormulaKey = Key;
    return true;
}

void TSignal::SetParam(double& AParam, TChangeOperations AOperation, double Value) {
    switch (AOperation) {
    case choMultiplication:
        AParam = AParam * Value;
        break;
    case choAddition:
        AParam = AParam + Value;
        break;
    case choSetValue:
        AParam = Value;
        break;
    }
}

void TSignal::ChangeParam(TSignalParams AParam, TChangeOperations AOperation, double Value) {
    switch (AParam) {
    case spAmplitude:
        SetParam(FAmplitude, AOperation, Value);
        break;
    case spVelocity:
        SetParam(FVelocity, AOperation, Value);
        break;
    case spFrequency:
        SetParam(FFrequency, AOperation, Value);
        break;
    case spDampingFactor:
        SetParam(FDF, AOperation, Value);
        break;
    case spPhase:
        SetParam(FFi, AOperation, Value);
        break;
    }
}
