// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/identify/IdentifiedSignals.h"

#include "util/Errors.h"
#include "util/NumberFormat.h"

#include <cmath>

namespace {

// Where a start value too close to 0 moves: clear of the tolerance and of its rounding.
constexpr double NearestStart = 2e-8;

} // namespace

std::unique_ptr<TSignal> IdentifiedSignal(const TOscillation& AOscillation, double AStartTime) {
    const TOscillation& o = AOscillation;
    // Wd as the signal model derives it from F and D.
    const long double W = static_cast<double>(o.F * 2 * SignalPi), D = o.D;
    const double Wd = static_cast<double>(std::sqrt(std::max(W * W - D * D, 0.0L)));
    // e^(-D t) (P cos(Wd t) + Q sin(Wd t)) from the span's start, rewritten from the
    // curve's time 0.
    const double Growth = std::exp(o.D * AStartTime);
    const double c = std::cos(Wd * AStartTime), s = std::sin(Wd * AStartTime);
    const double Q0 = (o.V + o.D * o.A) / Wd;
    double P = Growth * (o.A * c - Q0 * s);
    const double Q = Growth * (o.A * s + Q0 * c);
    if (!std::isfinite(P) || !std::isfinite(Q))
        throw EVibronaError(QStringLiteral("Колебание с частотой %1 нельзя перенести к началу "
                                           "кривой: выберите участок ближе к началу")
                                .arg(FormatFloat(ShortFloatFormat, o.F)));

    if (o.SineWave) {
        double Amplitude = std::hypot(P, Q);
        if (Amplitude <= SignalTolerance)
            Amplitude = NearestStart;
        auto Signal = std::make_unique<TSignal>(Amplitude, 0, o.F, o.D);
        Signal->SetFi(std::atan2(P, Q));
        return Signal;
    }
    if (std::abs(P) <= SignalTolerance)
        P = std::copysign(NearestStart, P != 0 ? P : Q);
    double V = Wd * Q - o.D * P;
    // The model cannot derive a phase when A D + V is exactly 0; one step of V away it can.
    if (static_cast<long double>(P) * D + V == 0)
        V = std::nextafter(V, V >= 0 ? HUGE_VAL : -HUGE_VAL);
    return std::make_unique<TSignal>(P, V, o.F, o.D);
}

std::vector<std::unique_ptr<TSignal>> IdentifiedSignals(const TIdentification& AResult) {
    std::vector<std::unique_ptr<TSignal>> Result;
    Result.reserve(AResult.Oscillations.size());
    for (const TOscillation& o : AResult.Oscillations)
        Result.push_back(IdentifiedSignal(o, AResult.StartTime));
    return Result;
}
