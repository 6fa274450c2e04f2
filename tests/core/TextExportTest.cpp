// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/TextExport.h"
#include "TestLocales.h"

#include <gtest/gtest.h>

namespace {

TEST(TextExport, PointsUnderBothLocales) {
    const std::vector<double> x = {0, 0.00025, 1234.5};
    const std::vector<double> y = {-0.5, 0.00000004, 40};
    EXPECT_EQ(PointsText(x, y, DotLocale()),
              QByteArray("0\t-0.5\r\n0.00025\t0\r\n1,234.5\t40\r\n"));
    EXPECT_EQ(PointsText(x, y, RussianLocale()), QByteArray("0\t-0,5\r\n0,00025\t0\r\n1\xC2\xA0"
                                                            "234,5\t40\r\n"));
}

TEST(TextExport, CharacteristicSamples) {
    std::vector<TSpectrumSample> s = {TSpectrumSample(50, 0.0171779), TSpectrumSample(2.5, 1)};
    s[1].SetPeak(true);
    EXPECT_EQ(CharacteristicText(s, RussianLocale()),
              QByteArray("50\t0,0171779\t\xD0\x9D\xD0\xB5\xD1\x82\r\n"
                         "2,5\t1\t\xD0\x94\xD0\xB0\r\n"));
    TSpectrum List;
    List.Add(std::make_unique<TSpectrumSample>(s[1]));
    EXPECT_EQ(CharacteristicText(List, DotLocale()), QByteArray("2.5\t1\t\xD0\x94\xD0\xB0\r\n"));
    EXPECT_TRUE(CharacteristicText(TSpectrum(), DotLocale()).isEmpty());
}

} // namespace
