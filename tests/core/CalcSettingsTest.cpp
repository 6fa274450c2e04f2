// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/CalcSettings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(CalcSettings, Defaults) {
    const TCalcSettings s;
    EXPECT_EQ(s.dt, 0.00025);
    EXPECT_EQ(s.M, 200);
    EXPECT_EQ(s.C, 0);
    EXPECT_EQ(s.N, 4000);
    EXPECT_EQ(s.K, 200);
    EXPECT_EQ(s.Window, wkNone);
}

TEST(CalcSettingsLimits, EditorsBounds) {
    EXPECT_EQ(LimitDt(0), 1e-6);
    EXPECT_EQ(LimitDt(-1), 1e-6);
    EXPECT_EQ(LimitDt(std::nan("")), 1e-6);
    EXPECT_EQ(LimitDt(0.001), 0.001);
    EXPECT_EQ(LimitM(10), 16);
    EXPECT_EQ(LimitM(-3), 16);
    EXPECT_EQ(LimitM(16), 16);
    EXPECT_EQ(LimitN(8), 16);
    EXPECT_EQ(LimitN(100000), 100000);
    EXPECT_EQ(LimitK(0, 4000), 2000);
    EXPECT_EQ(LimitK(-1, 4000), 2000);
    EXPECT_EQ(LimitK(5000, 4000), 2000);
    EXPECT_EQ(LimitK(1, 4000), 1);
    EXPECT_EQ(LimitK(2000, 4000), 2000);
    EXPECT_EQ(LimitK(3000, 4001), 2000);
    EXPECT_EQ(WindowKindFromOrdinal(3), wkBlackman);
    EXPECT_EQ(WindowKindFromOrdinal(5), wkNone);
    EXPECT_EQ(WindowKindFromOrdinal(-1), wkNone);
}

TEST(CalcSettingsLimits, AllAtOnceCheckKAgainstTheCorrectedN) {
    TCalcSettings s;
    s.dt = 0;
    s.M = 1;
    s.N = 10;
    s.K = 9;
    s.Window = static_cast<TWindowKind>(9);
    s.C = -7;
    const TCalcSettings r = LimitSettings(s);
    EXPECT_EQ(r.dt, 1e-6);
    EXPECT_EQ(r.M, 16);
    EXPECT_EQ(r.N, 16);
    EXPECT_EQ(r.K, 8);
    EXPECT_EQ(r.Window, wkNone);
    EXPECT_EQ(r.C, -7);
}

} // namespace
