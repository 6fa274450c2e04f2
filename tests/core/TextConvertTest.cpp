// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/TextConvert.h"
#include "TestLocales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace {

TEST(NormalizeDecimalSeparator, BothSeparatorsBecomeTheLocales) {
    EXPECT_EQ(NormalizeDecimalSeparator(u"2.5", RussianLocale()), QStringLiteral("2,5"));
    EXPECT_EQ(NormalizeDecimalSeparator(u"2,5", DotLocale()), QStringLiteral("2.5"));
    EXPECT_EQ(NormalizeDecimalSeparator(u"1,000.5", DotLocale()), QStringLiteral("1.000.5"));
}

TEST(TextToFloat, AcceptsTheGrammar) {
    const TFormatSettings Dot = DotLocale();
    double v = 0;
    ASSERT_TRUE(TryTextToFloat(u"  -2.5  ", v, Dot));
    EXPECT_EQ(v, -2.5);
    ASSERT_TRUE(TryTextToFloat(u"+1e-3", v, Dot));
    EXPECT_EQ(v, 0.001);
    ASSERT_TRUE(TryTextToFloat(u"2.5E-6", v, Dot));
    EXPECT_EQ(v, 2.5e-6);
    ASSERT_TRUE(TryTextToFloat(u".5", v, Dot));
    EXPECT_EQ(v, 0.5);
    ASSERT_TRUE(TryTextToFloat(u"5.", v, Dot));
    EXPECT_EQ(v, 5.0);
    ASSERT_TRUE(TryTextToFloat(u"1e-400", v, Dot)); // too small to hold is zero
    EXPECT_EQ(v, 0.0);
}

TEST(TextToFloat, RejectsWhatDoesNotConvert) {
    const TFormatSettings Dot = DotLocale();
    double v = 7;
    for (const char16_t* Text : {u"", u" ", u"abc", u"1,000.5", u"1.2.3", u"2.5x", u"e5", u"1e",
                                 u"1e+", u"--1", u"0x10", u"1e400", u".", u"1 2", u"\u00A01"}) {
        EXPECT_FALSE(TryTextToFloat(Text, v, Dot)) << QString::fromUtf16(Text).toStdString();
    }
    EXPECT_EQ(v, 7);
    // A decimal point where the locale expects a comma does not convert.
    EXPECT_FALSE(TryTextToFloat(u"0.5", v, RussianLocale()));
    // A Russian group separator inside the number fails too.
    EXPECT_FALSE(TryTextToFloat(QStringLiteral("1\u00A0000,5"), v, RussianLocale()));
}

// The largest double saved at 15 digits overflows only through that rounding.
TEST(TextToFloat, LargestDoubleAtFifteenDigits) {
    constexpr double Max = std::numeric_limits<double>::max();
    const struct {
        const char16_t* Text;
        std::optional<double> Value;
    } Cases[] = {
        {u"1.79769313486232E308", Max},
        {u"-1.79769313486232E308", -Max},
        {u"1.7976931348623158e308", Max},
        {u"0179769313486232.000e294", Max},
        {u"1.79769313486233E308", std::nullopt},
        {u"1.797693134862320001E308", std::nullopt},
        {u"2E308", std::nullopt},
        {u"-1e309", std::nullopt},
        {u"1e-330", 0.0},
    };
    for (const auto& c : Cases) {
        double v = 7;
        EXPECT_EQ(TryTextToFloat(c.Text, v, DotLocale()), c.Value.has_value())
            << QString::fromUtf16(c.Text).toStdString();
        EXPECT_EQ(v, c.Value.value_or(7)) << QString::fromUtf16(c.Text).toStdString();
    }
}

TEST(TextToFloatDef, EitherSeparatorUnderAnyLocale) {
    for (const TFormatSettings& Fs : {DotLocale(), RussianLocale()}) {
        EXPECT_EQ(TextToFloatDef(u"2,5", 1, Fs), 2.5);
        EXPECT_EQ(TextToFloatDef(u"2.5", 1, Fs), 2.5);
        EXPECT_EQ(TextToFloatDef(u"letters", 1, Fs), 1);
        EXPECT_EQ(TextToFloatDef(u"1,000.0", 3, Fs), 3); // two separators after normalising
    }
}

TEST(TextToInt, DecimalAndHexadecimal) {
    int v = 0;
    ASSERT_TRUE(TryTextToInt(u"  42", v));
    EXPECT_EQ(v, 42);
    ASSERT_TRUE(TryTextToInt(u"-3", v));
    EXPECT_EQ(v, -3);
    ASSERT_TRUE(TryTextToInt(u"$FF", v));
    EXPECT_EQ(v, 255);
    ASSERT_TRUE(TryTextToInt(u"x10", v));
    EXPECT_EQ(v, 16);
    ASSERT_TRUE(TryTextToInt(u"0x1f", v));
    EXPECT_EQ(v, 31);
    ASSERT_TRUE(TryTextToInt(u"-$10", v));
    EXPECT_EQ(v, -16);
    ASSERT_TRUE(TryTextToInt(u"$FFFFFFFF", v));
    EXPECT_EQ(v, -1);
    ASSERT_TRUE(TryTextToInt(u"2147483647", v));
    EXPECT_EQ(v, 2147483647);
    ASSERT_TRUE(TryTextToInt(u"-2147483648", v));
    EXPECT_EQ(v, -2147483647 - 1);
}

TEST(TextToInt, RejectsWhatDoesNotConvert) {
    int v = 5;
    for (const char16_t* Text : {u"", u"2.5", u"10 ", u"1e3", u"abc", u"$", u"0x", u"2147483648",
                                 u"-2147483649", u"$100000000", u"1 000", u"+", u"12a"}) {
        EXPECT_FALSE(TryTextToInt(Text, v)) << QString::fromUtf16(Text).toStdString();
    }
    EXPECT_EQ(v, 5);
    EXPECT_EQ(TextToIntDef(u"abc", 9), 9);
}

} // namespace
