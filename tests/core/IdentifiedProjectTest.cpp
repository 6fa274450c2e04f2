// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/identify/IdentifiedProject.h"
#include "analysis/identify/IdentifySource.h"
#include "util/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(CurveSpan, SamplesBetweenTwoTimes) {
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    // 100 samples 0.01 apart: t = 0 .. 0.99.
    const struct {
        double Start, End;
        std::size_t First, Count; // Count 0: refused
    } Cases[] = {
        {0, 0.99, 0, 100},       {-5, 50, 0, 100},   {0.1, 0.2, 10, 11}, // 0.1 / 0.01 > 10
        {0.105, 0.2049, 11, 10}, {0.1, 0.17, 10, 8}, {0.1, 0.16, 0, 0},  // 7 samples
        {0.5, 0.1, 0, 0},        {NaN, 0.5, 0, 0},   {1.5, 2, 0, 0},
    };
    for (const auto& c : Cases) {
        if (c.Count == 0) {
            EXPECT_THROW(CurveSpan(100, 0.01, c.Start, c.End), EVibronaError) << c.Start;
            continue;
        }
        const TCurveSpan Span = CurveSpan(100, 0.01, c.Start, c.End);
        EXPECT_EQ(Span.First, c.First) << c.Start;
        EXPECT_EQ(Span.Count, c.Count) << c.Start;
    }
}

TIdentification Found() {
    TIdentification r;
    r.Oscillations = {{10, 2, 1, 5}, {20, 3, -0.5, 40}, {30, 4, 0.25, -7}};
    r.Constant = 0.7;
    r.HasConstant = true;
    return r;
}

TEST(UseIdentified, ReplacesByTheChosenOrAddsThem) {
    TSignals Signals;
    Signals.Add(std::make_unique<TSignal>(1, 0, 50, 60));
    double C = 3;
    UseIdentified(Signals, C, Found(), {true, false, true}, TIdentifiedUse::Replace);
    ASSERT_EQ(Signals.Count(), 2);
    EXPECT_EQ(C, 0.7);
    // Found at the curve's start: the state there is the signal's own.
    EXPECT_EQ(Signals[0].Frequency(), 10);
    EXPECT_EQ(Signals[0].Amplitude(), 1);
    EXPECT_NEAR(Signals[0].Velocity(), 5, 1e-12);
    EXPECT_EQ(Signals[1].Frequency(), 30);
    EXPECT_NEAR(Signals[1].Velocity(), -7, 1e-12);

    UseIdentified(Signals, C, Found(), {}, TIdentifiedUse::Add);
    ASSERT_EQ(Signals.Count(), 5);
    EXPECT_EQ(Signals[3].Frequency(), 20);
    EXPECT_EQ(C, 0.7);
}

TEST(UseIdentified, AFailureChangesNothing) {
    TIdentification Far = Found();
    // Carried back 10 time units with D = 1000, the state at time 0 overflows.
    Far.Oscillations.push_back({200, 1000, 1, 0});
    Far.StartTime = 10;
    const struct {
        TIdentification Result;
        std::vector<bool> Chosen;
    } Cases[] = {{Far, {}}, {Found(), {false, false, false}}};
    for (const auto& c : Cases) {
        TSignals Signals;
        Signals.Add(std::make_unique<TSignal>(1, 0, 50, 60));
        double C = 3;
        EXPECT_THROW(UseIdentified(Signals, C, c.Result, c.Chosen, TIdentifiedUse::Replace),
                     EVibronaError);
        ASSERT_EQ(Signals.Count(), 1);
        EXPECT_EQ(Signals[0].Frequency(), 50);
        EXPECT_EQ(C, 3);
    }
}

TEST(UseIdentified, TheRecordsIdentifiedStopAddingIntoTheCurve) {
    const auto MakeRecords = [](TRecords& ARecords) {
        for (const bool Active : {true, true, false}) {
            auto Record = std::make_unique<TRecord>(QStringLiteral("r.wav"));
            Record->SetSamples({{1, 2, 3}, 0.1, 0, 1});
            Record->SetActive(Active);
            ARecords.Add(std::move(Record));
        }
        ARecords[1].SetMissing();
    };
    TRecords Curve;
    MakeRecords(Curve);
    SwitchOffIdentifiedRecords(Curve, -1);
    // Only the one that added into the curve; the missing one is left as it was.
    EXPECT_FALSE(Curve[0].Active());
    EXPECT_TRUE(Curve[1].Active());
    EXPECT_FALSE(Curve[2].Active());

    TRecords One;
    MakeRecords(One);
    SwitchOffIdentifiedRecords(One, 1);
    EXPECT_TRUE(One[0].Active());
    EXPECT_FALSE(One[1].Active());
}

} // namespace
