// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/ResultRange.h"
#include "TestLocales.h"
#include "TestSignals.h"
#include "analysis/Recalculation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

TEST(ResultRange, BinMagnitudeIsTheHypotenuseAtAnyScale) {
    const struct {
        double Re, Im, Magnitude;
    } Cases[] = {{3, 4, 5},          {-3e200, 4e200, 5e200}, {3e-200, -4e-200, 5e-200},
                 {0, 0, 0},          {0, -2e-310, 2e-310},   {1e308, 1e308, std::sqrt(2.0) * 1e308},
                 {5e-324, 0, 5e-324}};
    for (const auto& c : Cases)
        EXPECT_DOUBLE_EQ(BinMagnitude(c.Re, c.Im), c.Magnitude) << c.Re << " " << c.Im;
}

// The DFT is linear: the spectrum of s x is s times that of x, also where the squares
// or the sums of s x would leave the range, on each of the three ways to the spectrum.
TEST(ResultRange, SpectraScaleWithTheCurveAcrossTheRange) {
    const struct {
        int M, N, K;
        TDftMethod Method;
    } Ways[] = {{64, 64, 32, TDftMethod::Fft},
                {5000, 2147483647, 1, TDftMethod::Direct},
                {200, 2147483647, 1 << 16, TDftMethod::Chirp}};
    // A sine wave of amplitude A plus C, both times the scale; A = 0 leaves C alone.
    const struct {
        double A, C, Scale;
    } Curves[] = {{1, 0.5, 1e307}, {1, 0.5, 1e153}, {0, 1, 1e-300}};
    for (const auto& w : Ways) {
        ASSERT_EQ(ChooseDft(w.M, w.N, w.K, false).Method, w.Method) << w.M;
        TCalcSettings Settings;
        Settings.M = w.M;
        Settings.N = w.N;
        Settings.K = w.K;
        Settings.dt = 1.0 / 64;
        for (const auto& c : Curves) {
            const auto Spectrum = [&](double AScale) {
                TSignals List;
                AddSignal(List, c.A == 0 ? 1 : c.A * AScale, 0, 5, 0, c.A != 0);
                Settings.C = c.C * AScale;
                return Recalculate(List, Settings).SpectrumMagnitude;
            };
            const auto Base = Spectrum(1), m = Spectrum(c.Scale);
            const double Peak = *std::max_element(Base.begin(), Base.end());
            ASSERT_EQ(m.size(), Base.size());
            for (std::size_t k = 0; k < m.size(); ++k)
                ASSERT_NEAR(m[k] / c.Scale, Base[k], 1e-9 * Peak) << c.Scale << " bin " << k;
        }
    }
}

// A number beyond the range stops the run with a message that names what to reduce.
TEST(ResultRange, ResultsBeyondTheRangeAreRefusedWithTheirCause) {
    const double Tiny = 1e-320; // a subnormal period: the frequencies overflow
    const struct {
        double A, V, F, D;
        bool Active;
        double C, dt;
        int N; // with M = 200
        const char* Text;
    } Cases[] = {
        {1, 0, 3e307, 60, true, 0, 0.00025, 4000,
         "Частота сигнала [1] выходит за пределы диапазона чисел: уменьшите частоту свободных "
         "колебаний (F)!"},
        {1, 1e306, 1, 6.28318530717958, true, 0, 0.00025, 4000, // D just below W
         "Амплитуда сигнала [1] выходит за пределы диапазона чисел: уменьшите начальную амплитуду "
         "(A), начальную скорость (V) или коэффициент затухания (D)!"},
        {1e308, 0, 50, 0, true, 1e308, 0.00025, 4000,
         "Значения кривой выходят за пределы диапазона чисел: уменьшите амплитуды и частоты "
         "сигналов или постоянную составляющую (C)!"},
        {1, 0, 50, 60, true, 0, 1e306, 4000,
         "Время кривой выходит за пределы диапазона чисел: уменьшите период дискретизации (dt) "
         "или количество отсчетов сигнала (M)!"},
        {1, 0, 50, 60, true, 0, Tiny, 4000,
         "Частоты спектра выходят за пределы диапазона чисел: увеличьте период дискретизации "
         "(dt) или размер ДПФ (N)!"},
        {1, 0, 50, 60, false, 1.5e308, 0.00025, 200, // twice C at frequency 0
         "Значения спектра выходят за пределы диапазона чисел: уменьшите амплитуды сигналов или "
         "постоянную составляющую (C)!"},
    };
    for (const auto& c : Cases) {
        TSignals List;
        AddSignal(List, 1, 0, 50, 60, false);
        AddSignal(List, c.A, c.V, c.F, c.D, c.Active);
        TCalcSettings Settings;
        Settings.C = c.C;
        Settings.dt = c.dt;
        Settings.N = c.N;
        Settings.K = c.N / 2;
        try {
            Recalculate(List, Settings, DotLocale());
            ADD_FAILURE() << c.Text;
        } catch (const EOutOfRange& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.Text));
        }
    }
}

} // namespace
