// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/CurveSynthesis.h"
#include "analysis/Workers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A list of signals that passed Calc, built from (A, V, F, D, active) rows.
struct TRow {
    double A, V, F, D;
    bool Active;
};
void Fill(TSignals& AList, std::initializer_list<TRow> ARows) {
    for (const TRow& r : ARows) {
        auto s = std::make_unique<TSignal>(r.A, r.V, r.F, r.D);
        s->SetActive(r.Active);
        EXPECT_EQ(s->Calc(), 0);
        AList.Add(std::move(s));
    }
}

// The times of the M samples: t(0) = 0, t(i + 1) = t(i) + dt, each sum rounded to double.
std::vector<double> AccumulatedTimes(int M, double dt) {
    std::vector<double> Time(static_cast<std::size_t>(M));
    for (int i = 1; i < M; ++i)
        Time[i] = Time[i - 1] + dt;
    return Time;
}

// C plus the active signals at t, in extended precision.
long double Exact(const TSignals& AList, double C, double t) {
    long double Sum = C;
    for (int j = 0; j < AList.Count(); ++j) {
        const TSignal& s = AList[j];
        if (s.Active())
            Sum += std::exp(-static_cast<long double>(s.DF()) * t) * s.A() *
                   std::sin(static_cast<long double>(s.Wd()) * t + s.Fi());
    }
    return Sum;
}

TEST(CurveSynthesis, DefaultsGiveTwoHundredPointsAtAccumulatedTime) {
    TSignals List;
    Fill(List, {{1, 0, 50, 60, true}});
    const TCalcSettings Settings;
    const TCurve Curve = SampleCurve(List, Settings);
    ASSERT_EQ(Curve.Time.size(), 200u);
    EXPECT_EQ(Curve.Time[0], 0);
    EXPECT_NEAR(Curve.Time[199], 0.04975, 1e-15);
    double t = 0;
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(Curve.Time[i], t); // the sum of i additions, not i * dt
        // Within half a unit in the last place of the exact value, and a hair more.
        const long double y = Exact(List, 0, t);
        const double HalfUlp =
            (std::nextafter(std::fabs(Curve.Value[i]), 2.0) - std::fabs(Curve.Value[i])) / 2;
        EXPECT_LE(std::fabs(Curve.Value[i] - y), HalfUlp + 1e-18) << i;
        t = t + Settings.dt;
    }
    EXPECT_NEAR(Curve.Value[0], 1, 1e-15); // the initial displacement
}

// A free damped oscillation starts at its initial displacement A with its initial
// velocity V, whatever the signs of A and of A * D + V.
TEST(CurveSynthesis, DampedCurvesStartAtAWithSlopeV) {
    const struct {
        double A, V, F, D;
    } Cases[] = {
        {1, 0, 50, 60},     // A > 0, A D + V > 0
        {1, -200, 50, 60},  // A > 0, A D + V < 0
        {-1, 200, 50, 60},  // A < 0, A D + V > 0
        {-1, 0, 50, 60},    // A < 0, A D + V < 0
        {0.3, -45, 8, 40},  // a slow one that starts downwards
        {-2.5, 900, 120, 3} // lightly damped
    };
    for (const auto& c : Cases) {
        TSignals List;
        Fill(List, {{c.A, c.V, c.F, c.D, true}});
        TCalcSettings Settings;
        Settings.dt = 1e-6;
        Settings.M = 16;
        const auto y = SampleCurve(List, Settings).Value;
        EXPECT_NEAR(y[0], c.A, 1e-12) << c.A << " " << c.V;
        // The second-order forward difference; its error is about dt^2 times the third
        // derivative, W^3 A, over three.
        const double Slope = (-3 * y[0] + 4 * y[1] - y[2]) / (2 * Settings.dt);
        EXPECT_NEAR(Slope, c.V, 1e-3 * std::max(1.0, std::fabs(c.V))) << c.A << " " << c.V;
    }
}

TEST(CurveSynthesis, InactiveSignalsLeaveTheConstant) {
    TSignals List;
    Fill(List, {{1, 0, 50, 60, false}, {2, 0, 30, 0, false}});
    TCalcSettings Settings;
    Settings.C = 3;
    Settings.M = 16;
    const TCurve Curve = SampleCurve(List, Settings);
    ASSERT_EQ(Curve.Value.size(), 16u);
    for (double v : Curve.Value)
        EXPECT_EQ(v, 3);
}

// The rotation path against the expression evaluated in extended precision.
TEST(CurveSynthesis, LargeCurvesStayWithinOneBillionthOfTheExactExpression) {
    TSignals List;
    Fill(List, {{1, 0, 50, 60, true},
                {0.5, 0, 25450, 0, true},
                {-0.3, 0, 149.5, 0, true},
                {2, 10, 3, 1, true},
                {1, 0, 70, 0, false}});
    List[2].SetFi(0.7);
    TCalcSettings Settings;
    Settings.M = 300000;
    Settings.C = 0.25;
    const TCurve Curve = SampleCurve(List, Settings);
    ASSERT_EQ(Curve.Value.size(), 300000u);
    double MaxError = 0;
    for (std::size_t i = 0; i < Curve.Value.size(); i += 7) {
        const long double t = Curve.Time[i];
        long double Exact = Settings.C;
        double AmplitudeSum = 0;
        for (int j = 0; j < 4; ++j) {
            const TSignal& s = List[j];
            Exact += std::exp(-static_cast<long double>(s.DF()) * t) * s.A() *
                     std::sin(static_cast<long double>(s.Wd()) * t + s.Fi());
            AmplitudeSum += std::fabs(s.A());
        }
        MaxError = std::max(MaxError,
                            static_cast<double>(std::fabs(Curve.Value[i] - Exact)) / AmplitudeSum);
    }
    EXPECT_LT(MaxError, 1e-9);
}

TEST(CurveSynthesis, EmptyCurveForNoSamples) {
    TSignals List;
    Fill(List, {{1, 0, 50, 60, true}});
    TCalcSettings Settings;
    Settings.M = 0;
    EXPECT_TRUE(SampleCurve(List, Settings).Value.empty());
}

// Over 65,536 term evaluations the curve advances in lanes of 32 samples; the
// samples after the last full lane group of the last block count too.
TEST(CurveSynthesis, FastPathFillsTheLastSamples) {
    TSignals List;
    Fill(List, {{1, 0, 50, 60, true}, {0.5, 0, 1234.5, 0, true}});
    for (int M : {40001, 40017, 40031}) {
        TCalcSettings Settings;
        Settings.M = M;
        Settings.C = 0.25;
        const TCurve Curve = SampleCurve(List, Settings);
        ASSERT_EQ(Curve.Value.size(), static_cast<std::size_t>(M));
        const std::vector<double> Time = AccumulatedTimes(M, Settings.dt);
        for (int i = M - 100; i < M; ++i) {
            EXPECT_EQ(Curve.Time[i], Time[i]);
            EXPECT_NEAR(Curve.Value[i], Exact(List, Settings.C, Time[i]), 1e-10) << M << " " << i;
        }
    }
}

// The blocks of the time run side by side from starts foreseen by their binades; every
// time must still be the rounded sum of the one before and dt. A dt of an odd number of
// 2^-53 makes each step within [1, 2) a tie, rounded to even; other steps cross many
// binades, run backwards, start below the normal range or overflow.
TEST(CurveSynthesis, TimesAreTheRoundedSumsWhateverTheStep) {
    const double Tie = (2 * std::floor(1e-4 * 0x1p52) + 1) * 0x1p-53;
    TSignals List;
    Fill(List, {{1, 0, 50, 60, true}, {0.5, 0, 1234.5, 0, true}});
    TWorkers Workers(2);
    for (const double dt : {0.00025, 1.0 / 3, Tie, -0.001, 1e-310, 1e305}) {
        TCalcSettings Settings;
        Settings.M = 40000;
        Settings.dt = dt;
        for (TWorkers* Threads : {static_cast<TWorkers*>(nullptr), &Workers}) {
            const std::vector<double> Expected = AccumulatedTimes(Settings.M, dt);
            const TCurve Curve = SampleCurve(List, Settings, Threads);
            ASSERT_EQ(Curve.Time.size(), Expected.size());
            EXPECT_TRUE(std::equal(Expected.begin(), Expected.end(), Curve.Time.begin()))
                << dt << (Threads ? " on two threads" : "");
        }
    }
}

// Wd * t reaches 8e6 rad: a phase rounded to double would be off by up to 5e-10.
TEST(CurveSynthesis, PhaseStaysExactOverALongTime) {
    TSignals List;
    Fill(List, {{1, 0, 1234.5, 0, true}});
    TCalcSettings Settings;
    Settings.dt = 0.001;
    Settings.M = 1000000;
    const TCurve Curve = SampleCurve(List, Settings);
    const std::vector<double> Time = AccumulatedTimes(Settings.M, Settings.dt);
    double MaxError = 0;
    // An anchor's error would shift its whole block: a few samples of each block tell.
    for (int i = 0; i < Settings.M; i += 97)
        MaxError = std::max(MaxError, static_cast<double>(std::fabs(
                                          Curve.Value[i] - Exact(List, Settings.C, Time[i]))));
    EXPECT_LT(MaxError, 1e-11);
}

// Two neighbouring samples y(t) and y(t + h) of A e^(-D t) sin(Wd t + Fi) give its
// envelope: with r = e^(-D h), A e^(-D t) = |(y(t), (y(t + h) / r - y(t) cos Wd h) / sin Wd h)|.
TEST(CurveSynthesis, DampedEnvelopeHoldsOverALongSpan) {
    TSignals List;
    Fill(List, {{1, 3, 200, 0.5, true}});
    const TSignal& s = List[0];
    TCalcSettings Settings;
    Settings.dt = 0.0007;
    Settings.M = 300000; // 210 s, where the envelope has fallen to 3e-46
    const TCurve Curve = SampleCurve(List, Settings);
    double MaxError = 0;
    for (int i = 0; i + 1 < Settings.M; i += 7) {
        const long double t = Curve.Time[i], h = Curve.Time[i + 1] - t;
        const long double r = std::exp(-s.DF() * h), Theta = s.Wd() * h;
        const long double y0 = Curve.Value[i], y1 = Curve.Value[i + 1];
        const long double Envelope =
            std::hypot(y0, (y1 / r - y0 * std::cos(Theta)) / std::sin(Theta));
        const long double Expected = s.A() * std::exp(-s.DF() * t);
        MaxError = std::max(MaxError, static_cast<double>(std::fabs(Envelope / Expected - 1)));
    }
    EXPECT_LT(MaxError, 1e-11);
}

} // namespace
