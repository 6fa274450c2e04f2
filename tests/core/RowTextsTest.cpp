// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestLocales.h"
#include "analysis/Readout.h"
#include "model/SettingsRows.h"
#include "model/Signal.h"
#include "model/SignalGenerators.h"
#include "model/SignalGridRows.h"
#include "model/SignalList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <numbers>
#include <vector>

TEST(SettingsRows, TypedValuesAreKeptWithinTheirLimits) {
    struct TCase {
        TSetting Setting;
        double Typed;
        double Kept;
    };
    // K is bound by the N of the moment (4000 by default), the others by their minimum.
    const TCase Cases[] = {{stDt, 0, 1e-6}, {stDt, 1e-3, 1e-3},   {stDt, NAN, 1e-6},
                           {stM, -3, 16},   {stM, 16, 16},        {stN, 8, 16},
                           {stK, 0, 2000},  {stK, 5000, 2000},    {stK, 2000, 2000},
                           {stK, 1, 1},     {stC, -1e300, -1e300}};
    for (const TCase& c : Cases) {
        TCalcSettings Settings;
        SetSettingValue(Settings, c.Setting, c.Typed);
        const bool Limited = LimitSetting(Settings, c.Setting);
        EXPECT_EQ(SettingValue(Settings, c.Setting), c.Kept) << SettingKey(c.Setting).toStdString();
        EXPECT_EQ(Limited, !(c.Typed == c.Kept)) << SettingKey(c.Setting).toStdString();
    }
}

TEST(SettingsRows, RowsShowTheirNormalForm) {
    TCalcSettings Settings;
    Settings.C = 1234.5;
    EXPECT_EQ(SettingText(Settings, stDt, RussianLocale()), QStringLiteral("0,00025"));
    EXPECT_EQ(SettingText(Settings, stC, RussianLocale()), QStringLiteral("1\u00A0234,5"));
    EXPECT_EQ(SettingText(Settings, stC, DotLocale()), QStringLiteral("1,234.5"));
    EXPECT_EQ(SettingText(Settings, stN, RussianLocale()), QStringLiteral("4000"));
    EXPECT_EQ(SettingText(Settings, stWindow, DotLocale()), QStringLiteral("wkNone"));
    Settings.Window = wkBartlett;
    EXPECT_EQ(SettingText(Settings, stWindow, DotLocale()), QStringLiteral("wkBartlett"));
    EXPECT_EQ(SettingDescription(stK),
              QStringLiteral("количество отсчетов в спектре; K <= (N div 2)"));
}

TEST(SignalGridRows, CellsShowTheSignalsInTheirRows) {
    TSignal Signal(1000, 0, 50, 60);
    Signal.SetActive(false);
    EXPECT_EQ(SignalGridCellText(Signal, grActive, DotLocale()), QStringLiteral("Нет"));
    EXPECT_EQ(SignalGridCellText(Signal, grAmplitude, DotLocale()), QStringLiteral("1,000.0"));
    EXPECT_EQ(SignalGridCellText(Signal, grFrequency, RussianLocale()), QStringLiteral("50,0"));
    EXPECT_EQ(SignalColumnTitle(247), QStringLiteral("Сигнал 247"));
    // The label "A" is the initial amplitude, "Am" the derived one.
    EXPECT_EQ(SignalGridRowLabel(grAmplitude), QStringLiteral("A"));
    EXPECT_EQ(SignalGridRowDescription(grA), QStringLiteral("амплитуда"));
    EXPECT_EQ(SignalGridRowDescription(grDF), QStringLiteral("коэффициент затухания"));
    for (int Row : {grHeader, grActive, grW, grFd, grWd, grA})
        EXPECT_FALSE(IsSelectableGridRow(Row)) << Row;
}

// The derived rows of the worked example, each its own value; a signal whose values
// overflowed (F beyond the range) shows none of them.
TEST(SignalGridRows, DerivedRowsShowTheirOwnValues) {
    TSignal Signal;
    ASSERT_EQ(Signal.Calc(DotLocale()), 0);
    TSignal Overflowed(1, 0, 3e307, 60);
    ASSERT_EQ(Overflowed.Calc(DotLocale()), 0);
    const struct {
        int Row;
        const char* Text;
    } Rows[] = {{grW, "251.3274123"},
                {grFd, "39.200437"},
                {grWd, "246.3036097"},
                {grA, "0.015306"},
                {grFormula, "y = 0.015306 * Exp(-50.0 * t) * sin(246.3036097 * t + 1.3705164)"}};
    for (const auto& r : Rows) {
        EXPECT_EQ(SignalGridCellText(Signal, r.Row, DotLocale()), QString::fromLatin1(r.Text));
        if (r.Row != grA) {
            EXPECT_EQ(SignalGridCellText(Overflowed, r.Row, DotLocale()), QString()) << r.Row;
        }
    }
}

// Each input row stores into its own parameter and leaves the others alone.
TEST(SignalGridRows, InputRowsStoreOnlyTheirParameter) {
    const int Rows[] = {grAmplitude, grVelocity, grFrequency, grDF, grFi};
    for (std::size_t r = 0; r < std::size(Rows); ++r) {
        TSignal Signal(1, 2, 3, 4);
        Signal.SetFi(5);
        SetSignalGridInput(Signal, Rows[r], 9);
        std::vector<double> Expected = {1, 2, 3, 4, 5};
        Expected[r] = 9;
        const std::vector<double> Stored = {Signal.Amplitude(), Signal.Velocity(),
                                            Signal.Frequency(), Signal.DF(), Signal.Fi()};
        EXPECT_EQ(Stored, Expected) << Rows[r];
        EXPECT_EQ(SignalGridInput(Signal, Rows[r]), 9) << Rows[r];
    }
}

TEST(SignalGenerators, LongestSeriesReachTheirHighestHarmonic) {
    TSignals Signals;
    GenerateSignals(Signals, gkMeander, MaxHarmonicsCount);
    ASSERT_EQ(Signals.Count(), 255);
    EXPECT_EQ(Signals[254].Frequency(), 25450.0);
    EXPECT_NEAR(Signals[254].Amplitude(), 4 / (509 * std::numbers::pi), 1e-18);
    GenerateSignals(Signals, gkTriangle, 4);
    // + for k = 1, 5, ...; - for k = 3, 7, ...
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Signals[i].Amplitude() > 0, i % 2 == 0) << i;
    GenerateSignals(Signals, gkSineWave, 7);
    ASSERT_EQ(Signals.Count(), 1);
    EXPECT_EQ(Signals[0].DF(), 0.0);
}

TEST(Readout, PointAndNoPoint) {
    const TReadout Point = PointReadout(50, 1, RussianLocale());
    EXPECT_EQ(Point.X, QStringLiteral("50,0"));
    EXPECT_EQ(Point.Y, QStringLiteral("1,0"));
    EXPECT_EQ(PointReadout(0.0171779, 1234.5, DotLocale()).Y, QStringLiteral("1,234.5"));
    EXPECT_EQ(NoPointReadout().X, QStringLiteral("0"));
    EXPECT_EQ(NoPointReadout().Y, QStringLiteral("0"));
}
