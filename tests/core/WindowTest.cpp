// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/Window.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr TWindowKind AllKinds[] = {wkNone, wkHamming, wkGaussian, wkBlackman, wkBartlett};

TEST(CalcWindow, WeightsOfSeventeenSamples) {
    const int n = 17;
    for (int i : {0, 16}) {
        EXPECT_NEAR(CalcWindow(wkHamming, i, n), 0.08, 1e-15);
        EXPECT_NEAR(CalcWindow(wkGaussian, i, n), std::exp(-2.0), 1e-15);
        EXPECT_NEAR(CalcWindow(wkGaussian, i, n), 0.135335, 1e-6);
        EXPECT_NEAR(CalcWindow(wkBlackman, i, n), 0, 1e-15);
        EXPECT_NEAR(CalcWindow(wkBartlett, i, n), 0, 1e-15);
    }
    for (TWindowKind Kind : AllKinds)
        EXPECT_NEAR(CalcWindow(Kind, 8, n), 1, 1e-15) << int(Kind);
    EXPECT_NEAR(CalcWindow(wkHamming, 4, n), 0.54, 1e-15);
    EXPECT_NEAR(CalcWindow(wkGaussian, 4, n), std::exp(-0.5), 1e-15);
    EXPECT_NEAR(CalcWindow(wkGaussian, 4, n), 0.606531, 1e-6);
    EXPECT_NEAR(CalcWindow(wkBlackman, 4, n), 0.34, 1e-15);
    EXPECT_NEAR(CalcWindow(wkBartlett, 4, n), 0.5, 1e-15);
}

TEST(CalcWindow, OneBeyondTheSpanAndForUnknownKinds) {
    for (TWindowKind Kind : AllKinds) {
        EXPECT_EQ(CalcWindow(Kind, 17, 17), 1);
        EXPECT_EQ(CalcWindow(Kind, 1000, 17), 1);
    }
    EXPECT_EQ(CalcWindow(static_cast<TWindowKind>(7), 3, 17), 1);
    EXPECT_EQ(CalcWindow(wkNone, 3, 17), 1);
}

TEST(CalcWindow, SymmetricOverTheSpan) {
    for (TWindowKind Kind : AllKinds)
        for (int n : {16, 17, 200})
            for (int i = 0; i < n; ++i)
                EXPECT_NEAR(CalcWindow(Kind, i, n), CalcWindow(Kind, n - 1 - i, n), 1e-14);
}

TEST(CalcWindow, SingleSampleWindowIsFlatInsteadOfNaN) {
    for (TWindowKind Kind : AllKinds)
        EXPECT_EQ(CalcWindow(Kind, 0, 1), 1) << int(Kind);
}

} // namespace
