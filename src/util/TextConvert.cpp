// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/TextConvert.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

namespace {

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int HexValue(QChar c) {
    if (IsDigit(c))
        return c.unicode() - '0';
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return -1;
}

// Moves AIndex past leading spaces and an optional sign; true for a minus.
bool SkipSpacesAndSign(QStringView AText, qsizetype& AIndex) {
    while (AIndex < AText.size() && AText[AIndex] == QLatin1Char(' '))
        ++AIndex;
    if (AIndex < AText.size() &&
        (AText[AIndex] == QLatin1Char('+') || AText[AIndex] == QLatin1Char('-')))
        return AText[AIndex++] == QLatin1Char('-');
    return false;
}

// The value of a text that from_chars found out of range, from its digits with at
// most one "." and its exponent: zero when it is below one, the largest double when
// it exceeds that only through the rounding to 15 significant digits with which
// projects store it (1.79769313486232E308), nothing when it is larger still.
std::optional<double> OutOfRangeValue(const std::string& AMantissa, int AIntDigits,
                                      const std::string& AExponent) {
    std::string Digits;
    for (const char c : AMantissa)
        if (c != '.')
            Digits += c;
    const std::size_t Leading = Digits.find_first_not_of('0');
    if (Leading == std::string::npos)
        return 0.0;
    int Exponent = 0;
    const char* const ExpEnd = AExponent.data() + AExponent.size();
    if (!AExponent.empty() && std::from_chars(AExponent.data(), ExpEnd, Exponent).ec != std::errc())
        return AExponent[0] == '-' ? std::optional<double>(0) : std::nullopt;
    // |value| = 0.Digits x 10^Magnitude once the leading zeros are gone.
    const long long Magnitude =
        static_cast<long long>(AIntDigits) - static_cast<long long>(Leading) + Exponent;
    if (Magnitude <= 0)
        return 0.0;
    Digits.erase(0, Leading);
    Digits.erase(Digits.find_last_not_of('0') + 1);
    if (Magnitude == 309 && Digits <= "179769313486232")
        return std::numeric_limits<double>::max();
    return std::nullopt;
}

} // namespace

QString NormalizeDecimalSeparator(QStringView AText, const TFormatSettings& AFormat) {
    QString Result = AText.toString();
    Result.replace(QLatin1Char('.'), AFormat.DecimalSeparator);
    Result.replace(QLatin1Char(','), AFormat.DecimalSeparator);
    return Result;
}

bool TryTextToFloat(QStringView AText, double& AValue, const TFormatSettings& AFormat) {
    // Checks the grammar here and hands an ASCII text with "." to from_chars, which
    // does not depend on the C library's locale.
    const qsizetype n = AText.size();
    qsizetype i = 0;
    const bool Negative = SkipSpacesAndSign(AText, i);
    std::string Mantissa;
    int IntDigits = 0, FracDigits = 0;
    while (i < n && IsDigit(AText[i])) {
        Mantissa += static_cast<char>(AText[i].unicode());
        ++IntDigits;
        ++i;
    }
    if (i < n && AText[i] == AFormat.DecimalSeparator) {
        Mantissa += '.';
        ++i;
        while (i < n && IsDigit(AText[i])) {
            Mantissa += static_cast<char>(AText[i].unicode());
            ++FracDigits;
            ++i;
        }
    }
    if (IntDigits + FracDigits == 0)
        return false;
    std::string Exponent;
    if (i < n && (AText[i] == QLatin1Char('e') || AText[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (AText[i] == QLatin1Char('+') || AText[i] == QLatin1Char('-'))) {
            if (AText[i] == QLatin1Char('-'))
                Exponent += '-';
            ++i;
        }
        int ExpDigits = 0;
        while (i < n && IsDigit(AText[i])) {
            Exponent += static_cast<char>(AText[i].unicode());
            ++ExpDigits;
            ++i;
        }
        if (ExpDigits == 0)
            return false;
    }
    while (i < n && AText[i] == QLatin1Char(' '))
        ++i;
    if (i != n)
        return false;

    std::string Text = Mantissa;
    if (!Exponent.empty())
        Text += "e" + Exponent;
    double Value = 0;
    const auto Res =
        std::from_chars(Text.data(), Text.data() + Text.size(), Value, std::chars_format::general);
    if (Res.ec == std::errc::result_out_of_range) {
        const auto OutOfRange = OutOfRangeValue(Mantissa, IntDigits, Exponent);
        if (!OutOfRange)
            return false;
        Value = *OutOfRange;
    } else if (Res.ec != std::errc() || Res.ptr != Text.data() + Text.size()) {
        return false;
    }
    AValue = Negative ? -Value : Value;
    return true;
}

double TextToFloatDef(QStringView AText, double ADefault, const TFormatSettings& AFormat) {
    double Value = 0;
    if (TryTextToFloat(NormalizeDecimalSeparator(AText, AFormat), Value, AFormat))
        return Value;
    return ADefault;
}

bool TryTextToInt(QStringView AText, int& AValue) {
    const qsizetype n = AText.size();
    qsizetype i = 0;
    const bool Negative = SkipSpacesAndSign(AText, i);
    bool Hex = false;
    if (i < n && AText[i] == QLatin1Char('$')) {
        Hex = true;
        ++i;
    } else if (i < n && (AText[i] == QLatin1Char('x') || AText[i] == QLatin1Char('X'))) {
        Hex = true;
        ++i;
    } else if (i + 1 < n && AText[i] == QLatin1Char('0') &&
               (AText[i + 1] == QLatin1Char('x') || AText[i + 1] == QLatin1Char('X'))) {
        Hex = true;
        i += 2;
    }
    if (i == n)
        return false;
    std::uint64_t Magnitude = 0;
    for (; i < n; ++i) {
        const int Digit =
            Hex ? HexValue(AText[i]) : (IsDigit(AText[i]) ? AText[i].unicode() - '0' : -1);
        if (Digit < 0)
            return false;
        Magnitude = Magnitude * (Hex ? 16 : 10) + static_cast<unsigned>(Digit);
        if (Magnitude > 0xFFFFFFFFull)
            return false;
    }
    std::int64_t Value;
    if (Hex) {
        // Hexadecimal spells the 32 bits themselves: $FFFFFFFF is -1.
        Value = static_cast<std::int32_t>(static_cast<std::uint32_t>(Magnitude));
    } else {
        Value = static_cast<std::int64_t>(Magnitude);
        if (Value > (Negative ? 2147483648LL : 2147483647LL))
            return false;
    }
    if (Negative)
        Value = -Value;
    AValue = static_cast<int>(static_cast<std::uint32_t>(Value));
    return true;
}

int TextToIntDef(QStringView AText, int ADefault) {
    int Value = 0;
    return TryTextToInt(AText, Value) ? Value : ADefault;
}
