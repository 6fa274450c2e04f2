// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/NumberFormat.h"
#include "TestLocales.h"
#include "util/qorUtils.h"

#include <gtest/gtest.h>

namespace {

const QString Nbsp(QChar(0x00A0));

struct TCase {
    double Value;
    const char* Long;  // "#,##0.0######" with "." and ","
    const char* Short; // "#,##0.#######"
    const char* File;  // project-file text with "."
};

// The locale-free expectations; the Russian ones are derived by swapping separators.
const TCase Cases[] = {
    {1234.5, "1,234.5", "1,234.5", "1234.5"},
    {0.015305951, "0.015306", "0.015306", "0.015305951"},
    {-0.5, "-0.5", "-0.5", "-0.5"},
    {40, "40.0", "40", "40"},
    {1e-8, "0.0", "0", "1E-8"},
    {1e20, "1E20", "1E20", "1E20"},
    {2.5e-6, "0.0000025", "0.0000025", "2.5E-6"},
    {0, "0.0", "0", "0"},
    {0.00025, "0.00025", "0.00025", "0.00025"},
    {1234567.25, "1,234,567.25", "1,234,567.25", "1234567.25"},
    {-1000, "-1,000.0", "-1,000", "-1000"},
    {0.0001, "0.0001", "0.0001", "0.0001"},
    {0.00001, "0.00001", "0.00001", "1E-5"},
    {1e15, "1,000,000,000,000,000.0", "1,000,000,000,000,000", "1E15"},
    {999999999999999, "999,999,999,999,999.0", "999,999,999,999,999", "999999999999999"},
    // Eighteen integer digits are the most a display shows positionally.
    {1e17, "100,000,000,000,000,000.0", "100,000,000,000,000,000", "1E17"},
    {-1e18, "-1E18", "-1E18", "-1E18"},
};

QString ToRussian(const char* ADotText) {
    QString Result;
    for (const QChar c : QString::fromLatin1(ADotText)) {
        if (c == QLatin1Char(','))
            Result += Nbsp;
        else if (c == QLatin1Char('.'))
            Result += QLatin1Char(',');
        else
            Result += c;
    }
    return Result;
}

TEST(FormatSettings, RussianLocaleUsesCommaAndNoBreakSpace) {
    const TFormatSettings Ru = RussianLocale();
    EXPECT_EQ(Ru.DecimalSeparator, QLatin1Char(','));
    EXPECT_EQ(Ru.ThousandSeparator, QChar(0x00A0));
}

TEST(DisplayFormats, DotLocale) {
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Long);
        EXPECT_EQ(FormatFloat(FloatFormat, c.Value, DotLocale()), QString::fromLatin1(c.Long));
        EXPECT_EQ(FormatFloat(ShortFloatFormat, c.Value, DotLocale()),
                  QString::fromLatin1(c.Short));
    }
}

TEST(DisplayFormats, RussianLocale) {
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Long);
        if (QString::fromLatin1(c.Long).contains(QLatin1Char('E')))
            continue; // scientific texts carry no group separator to swap
        EXPECT_EQ(FormatFloat(FloatFormat, c.Value, RussianLocale()), ToRussian(c.Long));
        EXPECT_EQ(FormatFloat(ShortFloatFormat, c.Value, RussianLocale()), ToRussian(c.Short));
    }
}

TEST(DisplayFormats, RoundsToSevenDecimalsHalfAwayFromZero) {
    const TFormatSettings Dot = DotLocale();
    // 2^-8 = 0.00390625 lies exactly half-way at the eighth decimal.
    EXPECT_EQ(FormatFloat(FloatFormat, 0.00390625, Dot), QStringLiteral("0.0039063"));
    EXPECT_EQ(FormatFloat(FloatFormat, -0.00390625, Dot), QStringLiteral("-0.0039063"));
    EXPECT_EQ(FormatFloat(FloatFormat, 0.99999996, Dot), QStringLiteral("1.0"));
    EXPECT_EQ(FormatFloat(ShortFloatFormat, 999.99999999, Dot), QStringLiteral("1,000"));
    EXPECT_EQ(FormatFloat(FloatFormat, 314.15926535897932, Dot), QStringLiteral("314.1592654"));
    EXPECT_EQ(FormatFloat(ShortFloatFormat, 0.00000004, Dot), QStringLiteral("0"));
    EXPECT_EQ(FormatFloat(ShortFloatFormat, 0.00000006, Dot), QStringLiteral("0.0000001"));
}

TEST(DisplayFormats, NegativeThatRoundsToZeroHasNoMinus) {
    EXPECT_EQ(FormatFloat(FloatFormat, -0.00000001, DotLocale()), QStringLiteral("0.0"));
    EXPECT_EQ(FormatFloat(ShortFloatFormat, -0.0, DotLocale()), QStringLiteral("0"));
}

TEST(DisplayFormats, IntegerPatternGroupsWithoutDecimals) {
    EXPECT_EQ(FormatFloat("0,###", 16384, DotLocale()), QStringLiteral("16,384"));
    EXPECT_EQ(FormatFloat("0,###", 16384, RussianLocale()), QStringLiteral("16") + Nbsp + "384");
    EXPECT_EQ(FormatFloat("0,###", 512, DotLocale()), QStringLiteral("512"));
}

TEST(FileFloatText, BothLocales) {
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.File);
        EXPECT_EQ(FloatToFileText(c.Value, DotLocale()), QString::fromLatin1(c.File));
        QString Comma = QString::fromLatin1(c.File);
        Comma.replace(QLatin1Char('.'), QLatin1Char(','));
        EXPECT_EQ(FloatToFileText(c.Value, RussianLocale()), Comma);
    }
}

TEST(FileFloatText, FifteenSignificantDigits) {
    const TFormatSettings Dot = DotLocale();
    EXPECT_EQ(FloatToFileText(0.1 + 0.2, Dot), QStringLiteral("0.3"));
    EXPECT_EQ(FloatToFileText(3.14159265358979323846, Dot), QStringLiteral("3.14159265358979"));
    EXPECT_EQ(FloatToFileText(1.0 / 3.0 * 1e-7, Dot), QStringLiteral("3.33333333333333E-8"));
    EXPECT_EQ(FloatToFileText(-123456789012345678.0, Dot), QStringLiteral("-1.23456789012346E17"));
    // Rounding up across the positional limit switches to the scientific form.
    EXPECT_EQ(FloatToFileText(999999999999999.9, Dot), QStringLiteral("1E15"));
    EXPECT_EQ(FloatToFileText(0.000099999999999999999, Dot), QStringLiteral("0.0001"));
    // Exactly half-way at the 16th digit rounds away from zero, not to even.
    EXPECT_EQ(FloatToFileText(-123456789012344.5, Dot), QStringLiteral("-123456789012345"));
    // Just below and just above half-way, by the exact binary values (…4549… and …4551…);
    // the shortest text of the first, 1.234567890123455, would round the wrong way.
    EXPECT_EQ(FloatToFileText(1.2345678901234549, Dot), QStringLiteral("1.23456789012345"));
    EXPECT_EQ(FloatToFileText(1.2345678901234551, Dot), QStringLiteral("1.23456789012346"));
    EXPECT_EQ(FloatToFileText(2.0000000000000049, Dot), QStringLiteral("2"));
    EXPECT_EQ(FloatToFileText(9.9999999999999947, Dot), QStringLiteral("9.99999999999999"));
}

TEST(FileValueTexts, IntegersAndBooleans) {
    EXPECT_EQ(IntToFileText(-42), QStringLiteral("-42"));
    EXPECT_EQ(IntToFileText(4000), QStringLiteral("4000"));
    EXPECT_EQ(BoolToFileText(true), QStringLiteral("1"));
    EXPECT_EQ(BoolToFileText(false), QStringLiteral("0"));
    EXPECT_EQ(BoolToYesNo(true), QStringLiteral("Да"));
    EXPECT_EQ(BoolToYesNo(false), QStringLiteral("Нет"));
}

} // namespace
