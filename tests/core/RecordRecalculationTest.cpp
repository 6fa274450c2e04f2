// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestLocales.h"
#include "analysis/Recalculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

void AddRecord(TRecords& AList, std::vector<double> AValues, double AStep, bool AActive = true) {
    auto r = std::make_unique<TRecord>(QStringLiteral("r.wav"));
    r->SetSamples({std::move(AValues), AStep, 0, 1});
    r->SetActive(AActive);
    AList.Add(std::move(r));
}

// Values no sum of sines would give by chance.
std::vector<double> Ramp(int ACount) {
    std::vector<double> v;
    for (int i = 0; i < ACount; ++i)
        v.push_back(0.1 * i - 3.7 + (i % 3 == 0 ? 1e-9 : 0));
    return v;
}

// A record sampled at dt adds its samples, each exactly, to the curve of the signals;
// with no signal at all the curve is C plus the samples. Both sizes of curve, the
// directly summed and the rotated one, take the record alike.
TEST(RecordRecalculation, RecordAtTheCurveStepAddsItsSamplesExactly) {
    const struct {
        int Signals;
        int M;
        double C;
    } Cases[] = {{0, 300, 0}, {0, 300, 1.5}, {1, 300, 0}, {3, 50000, 0.25}};
    for (const auto& c : Cases) {
        TSignals Signals;
        for (int j = 0; j < c.Signals; ++j)
            Signals.Add(std::make_unique<TSignal>(1, 0, 50 + 10 * j, 20));
        TCalcSettings Settings;
        Settings.M = c.M;
        Settings.C = c.C;
        Settings.N = 512;
        Settings.K = 10;
        const std::vector<double> Samples = Ramp(200); // shorter than the curve
        TRecords Records;
        AddRecord(Records, Samples, Settings.dt);
        const TCalcResult Without = Recalculate(Signals, Settings, DotLocale());
        const TCalcResult With = Recalculate(Signals, Records, Settings, DotLocale());
        ASSERT_EQ(With.CurveValue.size(), static_cast<std::size_t>(c.M));
        EXPECT_EQ(With.CurveTime, Without.CurveTime);
        for (int i = 0; i < c.M; ++i) {
            const double Added = i < 200 ? Samples[i] : 0.0;
            ASSERT_EQ(With.CurveValue[i], Without.CurveValue[i] + Added)
                << c.Signals << " signals, sample " << i;
        }
        if (c.Signals == 0) {
            EXPECT_EQ(With.CurveValue[7], c.C + Samples[7]);
        }
    }
}

// A measured tone alone gives its frequency as the strongest line of the spectrum.
TEST(RecordRecalculation, ToneOfARecordAloneIsTheStrongestLine) {
    const double Rate = 8000, Tone = 440;
    std::vector<double> Samples;
    for (int i = 0; i < 8000; ++i)
        Samples.push_back(std::exp(-3.0 * i / Rate) *
                          std::sin(2 * std::numbers::pi * Tone * i / Rate));
    TRecords Records;
    AddRecord(Records, Samples, 1 / Rate);
    TSignals None;
    TCalcSettings Settings;
    Settings.dt = 1 / Rate;
    Settings.M = Settings.N = 8000;
    Settings.K = 4000;
    const TCalcResult r = Recalculate(None, Records, Settings, DotLocale());
    ASSERT_FALSE(r.Characteristic.empty());
    EXPECT_NEAR(r.Characteristic[0].Frequency(), Tone, 1e-9);
}

// Inactive records and records without samples add nothing: the results are those
// of the signals alone, to the bit. Their samples still count as memory.
TEST(RecordRecalculation, RecordsThatDoNotContributeChangeNothing) {
    TSignals Signals;
    Signals.Add(std::make_unique<TSignal>(1, 0, 50, 60));
    TRecords Records;
    AddRecord(Records, Ramp(100), 0, false);
    Records.Add(std::make_unique<TRecord>(QStringLiteral("gone.wav")));
    Records[1].SetMissing();
    const TCalcSettings Settings;
    const TCalcResult Alone = Recalculate(Signals, Settings, DotLocale());
    const TCalcResult With = Recalculate(Signals, Records, Settings, DotLocale());
    EXPECT_EQ(With.CurveValue, Alone.CurveValue);
    EXPECT_EQ(With.SpectrumMagnitude, Alone.SpectrumMagnitude);
    EXPECT_EQ(EstimateCost(Signals, Records, Settings).Bytes,
              EstimateCost(Signals, Settings).Bytes + 100 * sizeof(double));
    TRecalcOptions Tight(DotLocale());
    Tight.AvailableBytes = EstimateCost(Signals, Settings).Bytes;
    EXPECT_THROW(Recalculate(Signals, Records, Settings, Tight), EOutOfMemory);
}

} // namespace
