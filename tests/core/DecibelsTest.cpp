// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/Decibels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(Decibels, TwentyLogTenWithAFloorBelowTheLargest) {
    const std::vector<double> Magnitude = {10, 1, 0.1, 0, 1e-12, -1};
    const std::vector<double> Db = MagnitudesInDecibels(Magnitude);
    // The floor is 200 dB below the largest magnitude, 20 dB.
    EXPECT_DOUBLE_EQ(DecibelFloor(Magnitude), -180);
    const double Expected[] = {20, 0, -20, -180, -180, 0};
    for (std::size_t i = 0; i < Db.size(); ++i)
        EXPECT_NEAR(Db[i], Expected[i], 1e-12) << i;
}

TEST(Decibels, AllZeroAndNonFiniteStayOnTheChart) {
    const std::vector<double> Zero = {0, 0};
    EXPECT_EQ(MagnitudesInDecibels(Zero), (std::vector<double>{-200, -200}));
    const std::vector<double> Odd = {NAN, INFINITY, 1};
    const std::vector<double> Db = MagnitudesInDecibels(Odd);
    EXPECT_EQ(Db[0], -200); // NaN is drawn at the floor
    EXPECT_EQ(Db[2], 0);
}
