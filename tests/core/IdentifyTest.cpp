// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/CurveSynthesis.h"
#include "analysis/identify/Identification.h"
#include "analysis/identify/IdentifiedSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

// A damped oscillation by its inputs at t = 0: y(0) = A, y'(0) = V.
struct TMode {
    double A, V, F, D;
    double Wd() const { return std::sqrt(std::pow(2 * std::numbers::pi * F, 2) - D * D); }
    double Value(double t) const {
        return std::exp(-D * t) *
               (A * std::cos(Wd() * t) + (V + D * A) / Wd() * std::sin(Wd() * t));
    }
    // The height of the envelope at t = 0.
    double Envelope() const { return std::hypot(A, (V + D * A) / Wd()); }
};

struct TSource {
    const char* Name;
    std::vector<TMode> Modes;
    double C;
    double dt;
    int n;
};

std::vector<double> Synthesize(const TSource& s) {
    std::vector<double> y(static_cast<std::size_t>(s.n), s.C);
    for (int k = 0; k < s.n; ++k)
        for (const TMode& m : s.Modes)
            y[k] += m.Value(k * s.dt);
    return y;
}

double Rms(const std::vector<double>& y) {
    double Sum = 0;
    for (double v : y)
        Sum += v * v;
    return std::sqrt(Sum / static_cast<double>(y.size()));
}

// The identified oscillation nearest to AMode in frequency.
const TOscillation& Nearest(const TIdentification& r, const TMode& AMode) {
    return *std::min_element(r.Oscillations.begin(), r.Oscillations.end(),
                             [&](const TOscillation& a, const TOscillation& b) {
                                 return std::abs(a.F - AMode.F) < std::abs(b.F - AMode.F);
                             });
}

// Frequencies at least 5 % apart, every mode decaying by less than 99 % over the span.
const std::vector<TSource> Sources = {
    {"OneDamped", {{1, 0, 50, 6}}, 0, 1e-4, 4096},
    {"ThreeWithConstant",
     {{1, -400, 120, 4}, {-0.5, 300, 300, 10}, {0.3, -2000, 800, 2}},
     0.7,
     1e-4,
     4096},
    {"SineAndDamped", {{0.8, 0, 200, 0}, {0.5, 100, 470, 8}}, 0, 1e-4, 4096},
    {"EightModes",
     {{1, 0, 200, 3},
      {-0.6, 900, 210, 5},
      {0.4, -300, 220.5, 2},
      {0.7, 2000, 600, 8},
      {-0.3, -1500, 630, 10},
      {0.5, 0, 1500, 4},
      {0.2, 3000, 1575, 6},
      {-0.4, 1000, 3000, 11}},
     -0.2,
     1e-4,
     4096},
};

TEST(Identify, NoiselessSumsComeBackWithinOneMillionth) {
    for (const TSource& s : Sources) {
        SCOPED_TRACE(s.Name);
        const std::vector<double> y = Synthesize(s);
        const TIdentification r = IdentifyOscillations(y, s.dt);
        ASSERT_EQ(r.Oscillations.size(), s.Modes.size());
        EXPECT_EQ(r.Dropped, 0);
        EXPECT_TRUE(std::is_sorted(r.Oscillations.begin(), r.Oscillations.end(),
                                   [](auto& a, auto& b) { return a.F < b.F; }));
        double Largest = 0, Fastest = 0, Energy = 0;
        std::vector<double> Energies;
        for (const TMode& m : s.Modes) {
            Largest = std::max(Largest, m.Envelope());
            Fastest = std::max(Fastest, m.Envelope() * 2 * std::numbers::pi * m.F);
            double e = 0;
            for (int k = 0; k < s.n; ++k)
                e += std::pow(m.Value(k * s.dt), 2);
            Energies.push_back(e);
            Energy += e;
        }
        for (std::size_t j = 0; j < s.Modes.size(); ++j) {
            const TMode& m = s.Modes[j];
            const TOscillation& o = Nearest(r, m);
            EXPECT_NEAR(o.F, m.F, 1e-6 * m.F);
            EXPECT_NEAR(o.D, m.D, 1e-6 * m.D);
            EXPECT_EQ(o.SineWave, m.D == 0);
            EXPECT_NEAR(o.A, m.A, 1e-6 * Largest);
            EXPECT_NEAR(o.V, m.V, 1e-6 * Fastest);
            EXPECT_NEAR(o.Zeta, m.D / (2 * std::numbers::pi * m.F), 1e-6);
            EXPECT_NEAR(o.Share, Energies[j] / Energy, 1e-6);
        }
        EXPECT_EQ(r.HasConstant, s.C != 0);
        EXPECT_NEAR(r.Constant, s.C, 1e-6 * Largest);
        EXPECT_LT(r.RelativeResidual, 1e-6);
    }
}

TEST(Identify, FortyDecibelsOfWhiteNoise) {
    for (const TSource& s : Sources) {
        SCOPED_TRACE(s.Name);
        std::vector<double> y = Synthesize(s);
        std::vector<double> Oscillating = y;
        for (double& v : Oscillating)
            v -= s.C;
        const double Sigma = Rms(Oscillating) / 100; // 40 dB below the oscillations
        std::mt19937 Random(7);
        std::normal_distribution<double> Noise(0, Sigma);
        for (double& v : y)
            v += Noise(Random);
        const TIdentification r = IdentifyOscillations(y, s.dt);
        double Largest = 0;
        for (const TMode& m : s.Modes)
            Largest = std::max(Largest, m.Envelope());
        for (const TMode& m : s.Modes) {
            if (m.Envelope() < 0.05 * Largest)
                continue;
            const TOscillation& o = Nearest(r, m);
            EXPECT_NEAR(o.F, m.F, 1e-3 * m.F);
            // A sine wave's envelope may not change by a thousandth over the span.
            const double Duration = s.n * s.dt;
            EXPECT_NEAR(o.D, m.D, m.D > 0 ? 0.05 * m.D : 1e-3 / Duration) << "F " << m.F;
        }
        EXPECT_NEAR(r.ResidualRms, Sigma, 0.2 * Sigma);
    }
}

// A struck object held still and hit: it starts at 0 with a velocity, recorded at
// 44.1 kHz in 16 bits with its peak at nine tenths of full scale.
struct TRecording {
    std::vector<TMode> Modes;
    std::vector<double> Values;
    double dt = 1.0 / 44100;
    double Lsb = 0;
};

TRecording StruckObject() {
    TRecording r;
    for (const auto& [F, D, Height] :
         {std::tuple{523.0, 3.0, 1.0}, {1410.0, 7.0, 0.5}, {2740.0, 11.0, 0.25}}) {
        TMode m{0, 0, F, D};
        m.V = Height * m.Wd();
        r.Modes.push_back(m);
    }
    const std::vector<double> y = Synthesize({"Struck", r.Modes, 0, r.dt, 16384});
    const double Peak = *std::max_element(
        y.begin(), y.end(), [](double a, double b) { return std::abs(a) < std::abs(b); });
    r.Lsb = std::abs(Peak) / 0.9 / 32767;
    for (double v : y)
        r.Values.push_back(std::round(v / r.Lsb) * r.Lsb);
    return r;
}

TEST(Identify, SixteenBitRecordingOfAStruckObject) {
    const TRecording Rec = StruckObject();
    const TIdentification r = IdentifyOscillations(Rec.Values, Rec.dt);
    for (const TMode& m : Rec.Modes) {
        const TOscillation& o = Nearest(r, m);
        EXPECT_NEAR(o.F, m.F, 1e-3 * m.F);
        EXPECT_NEAR(o.D, m.D, 0.05 * m.D);
    }
    const double QuantisationRms = Rec.Lsb / std::sqrt(12.0);
    EXPECT_NEAR(r.ResidualRms, QuantisationRms, 0.2 * QuantisationRms);
}

// The identified signals, sampled by the program like any others, lie on the source
// within the residual, also when the span starts later than the curve. A start at
// exactly 0 moves to 2e-8, as the signal model has no damped oscillation starting at 0.
TEST(Identify, IdentifiedSignalsRecalculateToTheSource) {
    const TRecording Rec = StruckObject();
    const TSource Sine = {"SineAndDamped", {{0.8, 0, 200, 0}, {0.5, 100, 470, 8}}, 0.3, 1e-4, 4096};
    const std::vector<double> SineValues = Synthesize(Sine);
    const std::vector<double> AtZero = Synthesize({"AtZero", {{0, 500, 90, 4}}, 0, 1e-4, 4096});
    const std::vector<double> Mixed = Synthesize(Sources[1]); // A D + V of either sign
    struct TCase {
        const std::vector<double>& Values;
        double dt;
        int First;
        double Slack;
    };
    for (const TCase& c :
         {TCase{Rec.Values, Rec.dt, 0, 0}, TCase{Rec.Values, Rec.dt, 3000, 0},
          TCase{SineValues, Sine.dt, 0, 0}, TCase{SineValues, Sine.dt, 1000, 0},
          TCase{AtZero, 1e-4, 0, 2e-8}, TCase{Mixed, 1e-4, 0, 0}, TCase{Mixed, 1e-4, 2000, 0}}) {
        SCOPED_TRACE(c.First);
        TIdentifyOptions Options;
        Options.StartTime = c.First * c.dt;
        const std::vector<double> Span(c.Values.begin() + c.First, c.Values.end());
        const TIdentification r = IdentifyOscillations(Span, c.dt, Options);
        TSignals List;
        for (auto& s : IdentifiedSignals(r)) {
            ASSERT_EQ(s->Calc(), 0);
            List.Add(std::move(s));
        }
        TCalcSettings Settings;
        Settings.dt = c.dt;
        Settings.M = static_cast<int>(c.Values.size());
        Settings.C = r.Constant;
        const TCurve Curve = SampleCurve(List, Settings);
        double Sum = 0;
        for (std::size_t k = c.First; k < c.Values.size(); ++k)
            Sum += std::pow(Curve.Value[k] - c.Values[k], 2);
        const double Deviation = std::sqrt(Sum / static_cast<double>(Span.size()));
        // Besides the residual, the curve's own rounding: 1e-11 of the amplitudes.
        EXPECT_LE(Deviation, r.ResidualRms * 1.001 + 1e-10 + c.Slack);
    }
}

// Components the signal model cannot hold are counted and left in the residual.
TEST(Identify, GrowingAndNonOscillatingComponentsAreDropped) {
    const TMode Kept{1, 0, 100, 5};
    const double dt = 1e-4;
    struct TCase {
        const char* Name;
        double (*Extra)(double t);
    };
    for (const TCase& c : {TCase{"Growing",
                                 [](double t) {
                                     return std::exp(3 * t) *
                                            std::sin(2 * std::numbers::pi * 300 * t);
                                 }},
                           TCase{"Exponential", [](double t) { return std::exp(-20 * t); }}}) {
        SCOPED_TRACE(c.Name);
        std::vector<double> y(4096);
        for (int k = 0; k < 4096; ++k)
            y[k] = Kept.Value(k * dt) + c.Extra(k * dt);
        const TIdentification r = IdentifyOscillations(y, dt);
        EXPECT_EQ(r.Dropped, 1);
        ASSERT_EQ(r.Oscillations.size(), 1u);
        EXPECT_NEAR(r.Oscillations[0].F, Kept.F, 1e-6 * Kept.F);
        EXPECT_GT(r.RelativeResidual, 0.1);
    }
}

TEST(Identify, AtMostTheCountAsked) {
    const std::vector<double> y = Synthesize(Sources[3]);
    TIdentifyOptions Options;
    Options.MaxCount = 3;
    EXPECT_LE(IdentifyOscillations(y, 1e-4, Options).Oscillations.size(), 3u);
}

TEST(Identify, ASpanOfZerosHasNothingToFind) {
    const TIdentification r = IdentifyOscillations(std::vector<double>(100, 0.0), 1e-3);
    EXPECT_TRUE(r.Oscillations.empty());
    EXPECT_EQ(r.Constant, 0);
    EXPECT_EQ(r.RelativeResidual, 0);
}

TEST(Identify, RefusesWhatItCannotIdentify) {
    std::vector<double> WithNan(100, 1.0);
    WithNan[50] = std::nan("");
    struct TCase {
        std::vector<double> Values;
        double dt;
        QString Message;
    };
    for (const TCase& c :
         {TCase{std::vector<double>(7, 1.0), 1e-3,
                "Участок слишком короткий: для подбора колебаний нужно не менее 8 отсчетов"},
          TCase{WithNan, 1e-3, "На участке есть значения, которые не являются конечными числами"},
          TCase{std::vector<double>(100, 1.0), 0, "Шаг dt должен быть положительным числом"}}) {
        try {
            IdentifyOscillations(c.Values, c.dt);
            ADD_FAILURE() << c.Message.toStdString();
        } catch (const EVibronaError& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
    }
}

// Values near the largest double, with a start velocity beyond it: whatever is found,
// no number is infinite.
TEST(Identify, HugeValuesGiveFiniteNumbers) {
    std::vector<double> y = Synthesize({"Huge", {{1, 3000, 50, 6}}, 0, 1e-4, 1000});
    const double Peak = *std::max_element(y.begin(), y.end());
    for (double& v : y)
        v *= 1.5e308 / Peak;
    const TIdentification r = IdentifyOscillations(y, 1e-4);
    EXPECT_TRUE(std::isfinite(r.ResidualRms) && std::isfinite(r.Constant));
    for (const TOscillation& o : r.Oscillations)
        EXPECT_TRUE(std::isfinite(o.A) && std::isfinite(o.V) && std::isfinite(o.Share));
}

// A span longer than the bound is identified over its start, at the cost of the bound.
TEST(Identify, LongSpansStayBounded) {
    const TSource Long = {"Long", {{1, 0, 50, 0.5}}, 0, 1e-4, 200000};
    const TIdentification r = IdentifyOscillations(Synthesize(Long), Long.dt);
    EXPECT_EQ(r.Samples, IdentifyMaxSamples);
    ASSERT_EQ(r.Oscillations.size(), 1u);
    EXPECT_NEAR(r.Oscillations[0].F, 50, 50e-6);
    EXPECT_EQ(EstimateIdentifyCost(std::size_t{1} << 40).Bytes,
              EstimateIdentifyCost(IdentifyMaxSamples).Bytes);
}

TEST(Identify, ReportsProgressAndStopsWhenAsked) {
    const std::vector<double> y = Synthesize(Sources[3]);
    std::vector<double> Shares;
    IdentifyOscillations(y, 1e-4, {}, [&](double ADone) {
        Shares.push_back(ADone);
        return true;
    });
    ASSERT_GE(Shares.size(), 2u);
    EXPECT_TRUE(std::is_sorted(Shares.begin(), Shares.end()));
    EXPECT_EQ(Shares.back(), 1);
    int Calls = 0;
    EXPECT_THROW(IdentifyOscillations(y, 1e-4, {}, [&](double) { return ++Calls < 2; }),
                 ECancelled);
}

} // namespace
