// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/Spectrum.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

std::vector<bool> Marks(std::initializer_list<double> AMagnitudes) {
    TSpectrum Spectrum;
    double f = 0;
    for (double m : AMagnitudes)
        Spectrum.Add(std::make_unique<TSpectrumSample>(f++, m));
    Spectrum.MarkPeaks();
    std::vector<bool> Result;
    for (int i = 0; i < Spectrum.Count(); ++i)
        Result.push_back(Spectrum[i].Peak());
    return Result;
}

using B = std::vector<bool>;

TEST(MarkPeaks, InnerAndEndSamples) {
    EXPECT_EQ(Marks({1, 3, 2}), (B{false, true, false}));
    EXPECT_EQ(Marks({3, 1, 2}), (B{true, false, true}));
    EXPECT_EQ(Marks({5, 4}), (B{true, false}));
    EXPECT_EQ(Marks({4, 5}), (B{false, true}));
    EXPECT_EQ(Marks({1, 4, 2, 6, 3, 3, 7}), (B{false, true, false, true, false, false, true}));
}

TEST(MarkPeaks, FlatTopsAreNeverMarked) {
    EXPECT_EQ(Marks({2, 2, 2}), (B{false, false, false}));
    EXPECT_EQ(Marks({1, 2, 2, 1}), (B{false, false, false, false}));
    EXPECT_EQ(Marks({3, 3}), (B{false, false}));
}

TEST(MarkPeaks, ThresholdIsStrict) {
    EXPECT_EQ(Marks({0, 0.000000005, 0}), (B{false, false, false}));
    EXPECT_EQ(Marks({0, 0.00000001, 0}), (B{false, false, false}));
    EXPECT_EQ(Marks({0, 0.0000000101, 0}), (B{false, true, false}));
}

TEST(MarkPeaks, ShortListsGetNoMarks) {
    EXPECT_TRUE(Marks({}).empty());
    EXPECT_EQ(Marks({5}), (B{false}));
}

TEST(MarkPeaks, NeverClearsAMark) {
    TSpectrum Spectrum;
    for (double m : {1.0, 2.0, 3.0})
        Spectrum.Add(std::make_unique<TSpectrumSample>(0, m));
    Spectrum[0].SetPeak(true);
    Spectrum.MarkPeaks();
    EXPECT_TRUE(Spectrum[0].Peak());
    EXPECT_FALSE(Spectrum[1].Peak());
    EXPECT_TRUE(Spectrum[2].Peak());
}

TEST(CompareSamplesByMagnitude, ThreeWay) {
    const TSpectrumSample Big(0, 3), Small(1, 1), Same(2, 3);
    EXPECT_EQ(CompareSamplesByMagnitude(Big, Small), -1);
    EXPECT_EQ(CompareSamplesByMagnitude(Small, Big), 1);
    EXPECT_EQ(CompareSamplesByMagnitude(Big, Same), 0);
}

} // namespace
