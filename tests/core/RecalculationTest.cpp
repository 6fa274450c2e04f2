// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/Recalculation.h"
#include "ReferenceDft.h"
#include "TestLocales.h"
#include "TestSignals.h"
#include "analysis/CharacteristicSamples.h"
#include "analysis/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

TEST(Recalculation, DefaultsGiveCurveSpectrumAndCharacteristicSamples) {
    TSignals List;
    AddSignal(List, 1, 0, 50, 60);
    const TCalcResult r = Recalculate(List, TCalcSettings{}, DotLocale());
    ASSERT_EQ(r.CurveTime.size(), 200u);
    EXPECT_NEAR(r.CurveTime.back(), 0.04975, 1e-15);
    ASSERT_EQ(r.SpectrumFrequency.size(), 200u);
    for (int k = 0; k < 200; ++k)
        EXPECT_NEAR(r.SpectrumFrequency[k], k, 1e-9);
    // The spectrum is the direct sum of the specified steps.
    const auto Ref = ReferenceMagnitudes(r.CurveValue, 4000, 200);
    for (int k = 0; k < 200; ++k)
        EXPECT_NEAR(r.SpectrumMagnitude[k], Ref[k], 1e-13);
    // Five strongest first, unmarked and descending; then peaks in ascending frequency.
    ASSERT_GE(r.Characteristic.size(), 5u);
    for (int p = 0; p < 5; ++p) {
        EXPECT_FALSE(r.Characteristic[p].Peak());
        if (p > 0) {
            EXPECT_GE(r.Characteristic[p - 1].Magnitude(), r.Characteristic[p].Magnitude());
        }
    }
    EXPECT_EQ(r.Characteristic[0].Frequency(), 50);
    double LastFrequency = -1;
    for (std::size_t p = 5; p < r.Characteristic.size(); ++p) {
        EXPECT_TRUE(r.Characteristic[p].Peak());
        EXPECT_GT(r.Characteristic[p].Frequency(), LastFrequency);
        LastFrequency = r.Characteristic[p].Frequency();
    }
    // The strongest sample is also a peak, so it appears again among the peaks.
    const auto Again = std::find_if(r.Characteristic.begin() + 5, r.Characteristic.end(),
                                    [](const TSpectrumSample& s) { return s.Frequency() == 50; });
    EXPECT_NE(Again, r.Characteristic.end());
}

TEST(Recalculation, WindowSpansTheCurveSamples) {
    TSignals List;
    AddSignal(List, 1, 0, 50, 0);
    TCalcSettings Settings;
    Settings.Window = wkHamming;
    Settings.M = 300;
    Settings.N = 256; // the window still spans all 300 curve samples
    Settings.K = 100;
    const TCalcResult r = Recalculate(List, Settings, DotLocale());
    std::vector<double> Windowed(r.CurveValue.begin(), r.CurveValue.end());
    for (int i = 0; i < 300; ++i)
        Windowed[i] *= CalcWindow(wkHamming, i, 300);
    Windowed.resize(256);
    const auto Ref = ReferenceMagnitudes(Windowed, 256, 100);
    for (int k = 0; k < 100; ++k)
        EXPECT_NEAR(r.SpectrumMagnitude[k], Ref[k], 1e-13);
}

TEST(Recalculation, InvalidSignalStopsAtTheFirstWithItsPosition) {
    TSignals List;
    AddSignal(List, 1, 0, 50, 60);
    AddSignal(List, 1, 0, 50, 60, false);
    AddSignal(List, 1, 0, 0, 60);  // F = 0: result 1
    AddSignal(List, 0, 0, 50, 60); // never reached
    try {
        Recalculate(List, TCalcSettings{}, DotLocale());
        FAIL();
    } catch (const EInvalidSignal& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("Ошибка значения частоты свободных колебаний (F) в сигнале [2]!"));
        EXPECT_EQ(e.Position(), 2);
    }
    EXPECT_FALSE(List[0].Formula().isEmpty());
    EXPECT_TRUE(List[3].Formula().isEmpty()); // not passed to Calc
}

TEST(Recalculation, MessagesOfEveryResultCode) {
    struct TCase {
        double A, V, F, D;
        const char* Text;
    };
    const TCase Cases[] = {
        {1, 0, 50, -1, "Ошибка значения коэффициента затухания (D) в сигнале [0]!"},
        {1, 0, 1, 50,
         "Ошибка значения частоты свободных колебаний (F) или коэффициента затухания (D) в "
         "сигнале [0]!"},
        {0, 0, 50, 60, "Ошибка значения начальной амплитуды (A) в сигнале [0]!"},
        {1, -50, 40, 50,
         "Ошибка значения начальной скорости (V) или начальной амплитуды (A) или коэффициента "
         "затухания (D) в сигнале [0]!"},
    };
    for (const TCase& c : Cases) {
        TSignals List;
        AddSignal(List, c.A, c.V, c.F, c.D, false); // inactive signals are checked too
        try {
            CheckSignals(List, DotLocale());
            ADD_FAILURE() << c.Text;
        } catch (const EInvalidSignal& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.Text));
        }
    }
}

TEST(Recalculation, ConstantOnlyGivesTwiceCAtZero) {
    TSignals List;
    AddSignal(List, 1, 0, 5, 0, false);
    TCalcSettings Settings;
    Settings.M = Settings.N = 64;
    Settings.K = 32;
    Settings.dt = 0.015625;
    Settings.C = 3;
    const TCalcResult r = Recalculate(List, Settings, DotLocale());
    EXPECT_NEAR(r.SpectrumMagnitude[0], 6, 1e-12);
    EXPECT_NEAR(r.SpectrumMagnitude[5], 0, 1e-12);
    // A lone peak at the first sample: five head samples, then the peak.
    ASSERT_EQ(r.Characteristic.size(), 6u);
    EXPECT_EQ(r.Characteristic[5].Frequency(), 0);
}

TEST(CharacteristicSamples, NoPeaksGivesExactlyFive) {
    const std::vector<double> f = {0, 1, 2, 3, 4, 5, 6};
    const std::vector<double> m = {1, 1, 1, 1, 1, 1, 1};
    const auto s = CharacteristicSamples(f, m);
    ASSERT_EQ(s.size(), 5u);
    for (int p = 0; p < 5; ++p) {
        EXPECT_FALSE(s[p].Peak());
        EXPECT_EQ(s[p].Frequency(), p); // equal magnitudes keep ascending frequency
    }
}

TEST(CharacteristicSamples, FewerThanFiveSamplesAllLeadThenPeaks) {
    const std::vector<double> f = {0, 10, 20};
    const std::vector<double> m = {1, 3, 2};
    const auto s = CharacteristicSamples(f, m);
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].Frequency(), 10);
    EXPECT_EQ(s[1].Frequency(), 20);
    EXPECT_EQ(s[2].Frequency(), 0);
    EXPECT_TRUE(s[3].Peak());
    EXPECT_EQ(s[3].Frequency(), 10);

    TSignals List;
    AddSignal(List, 1, 0, 50, 60);
    TCalcSettings Settings;
    Settings.K = 1;
    const TCalcResult r = Recalculate(List, Settings, DotLocale());
    EXPECT_EQ(r.Characteristic.size(), 1u);
}

// Long spectra are marked in blocks and in wide vectors: the peaks must be those of the
// rule, at the ends, at the blocks' edges and beside equal or tiny neighbours.
TEST(CharacteristicSamples, PeaksOfLongSpectraFollowTheRule) {
    for (const std::size_t n : {std::size_t{2}, std::size_t{7}, (std::size_t{1} << 16) + 3}) {
        std::vector<double> f(n), m(n);
        for (std::size_t i = 0; i < n; ++i) {
            f[i] = static_cast<double>(i);
            // Repeating plateaus, rises and values below the peak threshold.
            const double Pattern[] = {3, 1, 2, 2, 1, 5e-9, 1e-9, 4, 4, 6};
            m[i] = Pattern[(i * 7 + i / 13) % 10];
        }
        m[0] = 9;
        m[n - 1] = 8;
        m[std::min<std::size_t>(65535, n - 1)] = 7;
        std::vector<double> Expected;
        MarkLocalMaxima(
            static_cast<int>(n), [&](std::int64_t i) { return m[i]; },
            [&](std::int64_t i) { Expected.push_back(f[i]); });
        std::sort(Expected.begin(), Expected.end());
        const auto s = CharacteristicSamples(f, m);
        std::vector<double> Peaks;
        for (const TSpectrumSample& Sample : s)
            if (Sample.Peak())
                Peaks.push_back(Sample.Frequency());
        EXPECT_EQ(Peaks, Expected) << n;
    }
}

// The frequencies are (k / N) / dt exactly, whether N is a power of two or not.
TEST(Recalculation, FrequenciesAreTheQuotientsExactly) {
    TSignals List;
    AddSignal(List, 1, 0, 50, 60);
    for (const int N : {4096, 4000, 1 << 20}) {
        TCalcSettings Settings;
        Settings.N = N;
        Settings.dt = 1.0 / 3000;
        const TCalcResult r = Recalculate(List, Settings, DotLocale());
        for (std::size_t k = 0; k < r.SpectrumFrequency.size(); ++k)
            ASSERT_EQ(r.SpectrumFrequency[k], (static_cast<double>(k) / N) / Settings.dt)
                << N << " " << k;
    }
}

TEST(CharacteristicSamples, FillSpectrumKeepsMarks) {
    TSpectrum Spectrum;
    Spectrum.Add(std::make_unique<TSpectrumSample>(9, 9));
    std::vector<TSpectrumSample> Samples = {TSpectrumSample(1, 2), TSpectrumSample(3, 4)};
    Samples[1].SetPeak(true);
    FillSpectrum(Spectrum, Samples);
    ASSERT_EQ(Spectrum.Count(), 2);
    EXPECT_FALSE(Spectrum[0].Peak());
    EXPECT_TRUE(Spectrum[1].Peak());
    EXPECT_EQ(Spectrum[1].Magnitude(), 4);
}

TEST(Recalculation, DamagedSettingsRaiseInsteadOfCrashing) {
    TSignals List;
    AddSignal(List, 1, 0, 50, 60);
    TCalcSettings Settings;
    Settings.N = 0;
    EXPECT_THROW(Recalculate(List, Settings, DotLocale()), EZeroDivide);
    Settings = TCalcSettings{};
    Settings.dt = 0;
    EXPECT_THROW(Recalculate(List, Settings, DotLocale()), EZeroDivide);
    Settings = TCalcSettings{};
    Settings.M = 1;
    Settings.Window = wkBlackman;
    const TCalcResult r = Recalculate(List, Settings, DotLocale());
    EXPECT_FALSE(std::isnan(r.SpectrumMagnitude[0]));
}

TCalcSettings Sized(int M, int N, int K, TWindowKind AWindow = wkNone) {
    TCalcSettings s;
    s.M = M;
    s.N = N;
    s.K = K;
    s.Window = AWindow;
    return s;
}

// Every stage consults the progress all along: the shares rise from 0 to 1 without
// a jump of more than a few ticks.
TEST(Recalculation, ProgressRisesSteadilyOnEveryPath) {
    struct TCase {
        int Signals, M, N, K;
        TWindowKind Window;
        TDftMethod Method;
    };
    const TCase Cases[] = {
        {1, 200, LargestN, 1 << 22, wkNone, TDftMethod::Chirp},     // in blocks of bins
        {1, 1 << 21, 3 << 20, 1 << 20, wkHamming, TDftMethod::Fft}, // the split FFT
        {1, 1 << 20, LargestN, 4, wkBartlett, TDftMethod::Direct},  // a long direct sum
        {1000, 1 << 18, 64, 32, wkNone, TDftMethod::Fft},           // a long curve
    };
    for (const TCase& c : Cases) {
        TSignals List;
        for (int j = 0; j < c.Signals; ++j)
            AddSignal(List, 1, 0, 50 + j, 0);
        CheckSignals(List, DotLocale());
        const TCalcSettings Settings = Sized(c.M, c.N, c.K, c.Window);
        ASSERT_EQ(ChooseDft(c.M, c.N, c.K).Method, c.Method) << c.M;
        ASSERT_GT(EstimateCost(List, Settings, 1).Seconds, 0.02) << c.M;
        // On one thread, where the reports follow the blocks whatever else the machine runs.
        std::vector<double> Shares;
        ComputeResults(
            List, Settings, nullptr,
            [&](double ADone) {
                Shares.push_back(ADone);
                return true;
            },
            1);
        ASSERT_GE(Shares.size(), 10u) << c.M;
        EXPECT_EQ(Shares.front(), 0);
        EXPECT_EQ(Shares.back(), 1);
        for (std::size_t j = 1; j < Shares.size(); ++j) {
            EXPECT_GE(Shares[j], Shares[j - 1]);
            EXPECT_LT(Shares[j] - Shares[j - 1], 0.15) << c.M << " at " << Shares[j - 1];
        }
    }
}

TEST(Recalculation, CancelStopsALargeRunSoon) {
    TSignals List;
    AddSignal(List, 1, 0, 50, 60);
    CheckSignals(List, DotLocale());
    double Last = 0;
    try {
        ComputeResults(List, Sized(200, LargestN, 1 << 24), nullptr, [&](double ADone) {
            Last = ADone;
            return ADone < 0.1;
        });
        FAIL();
    } catch (const ECancelled& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Расчет прерван"));
    }
    EXPECT_LT(Last, 0.15); // asked again soon after the tenth
}

TEST(Recalculation, MemoryFollowsMAndKNotN) {
    TSignals List;
    AddSignal(List, 1, 0, 50, 60);
    const TCalcCost Base = EstimateCost(List, Sized(200, 4000, 200));
    EXPECT_LT(EstimateCost(List, Sized(200, LargestN, 200)).Bytes, Base.Bytes + (1 << 20));
    EXPECT_LT(EstimateCost(List, Sized(1 << 20, 1 << 30, 1 << 20)).Bytes, std::uint64_t{1} << 30);
    // The results hold a time and a value per curve point, the window a chart point.
    EXPECT_GE(EstimateCost(List, Sized(LargestN, 16, 8)).Bytes, 32 * std::uint64_t{LargestN});
    for (const TCalcSettings& More : {Sized(2000, 4000, 200), Sized(200, 4000, 2000)}) {
        const TCalcCost Cost = EstimateCost(List, More);
        EXPECT_GT(Cost.Bytes, Base.Bytes);
        EXPECT_GT(Cost.Seconds, Base.Seconds);
    }
    EXPECT_NO_THROW(CheckMemory(Base, Base.Bytes));
    try {
        CheckMemory(Base, Base.Bytes - 1);
        FAIL();
    } catch (const EOutOfMemory& e) {
        EXPECT_EQ(ErrorBoxText(e.Message()), QStringLiteral("Недостаточно памяти для расчета."));
    }
}

} // namespace
