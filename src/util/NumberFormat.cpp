// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace {

// A finite double as decimal digits: |value| = 0.Digits x 10^Exponent.
// Digits carry no leading zeros; empty for zero.
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};

// 61 significant digits pin the exact binary value closely enough that rounding
// at 25 digits or fewer decides every half-way case correctly.
TDecimal ToDecimal(double AValue) {
    TDecimal Result;
    Result.Negative = std::signbit(AValue);
    if (AValue == 0)
        return Result;
    char Buffer[96];
    const auto Conv = std::to_chars(Buffer, Buffer + sizeof Buffer, std::fabs(AValue),
                                    std::chars_format::scientific, 60);
    const std::string Text(Buffer, Conv.ptr);
    const auto EPos = Text.find('e');
    for (std::size_t i = 0; i < EPos; ++i)
        if (Text[i] != '.')
            Result.Digits += Text[i];
    Result.Exponent = std::stoi(Text.substr(EPos + 1)) + 1;
    return Result;
}

// Keeps AKeep significant digits (AKeep may be zero or negative), rounding half
// away from zero, and drops trailing zeros.
void RoundDigits(TDecimal& ADec, int AKeep) {
    if (ADec.Digits.empty())
        return;
    if (AKeep < 0) {
        ADec.Digits.clear();
        return;
    }
    if (static_cast<std::size_t>(AKeep) < ADec.Digits.size()) {
        const bool Up = ADec.Digits[AKeep] >= '5';
        ADec.Digits.resize(AKeep);
        if (Up) {
            int i = AKeep - 1;
            while (i >= 0 && ADec.Digits[i] == '9') {
                ADec.Digits[i] = '0';
                --i;
            }
            if (i >= 0) {
                ++ADec.Digits[i];
            } else {
                ADec.Digits.insert(ADec.Digits.begin(), '1');
                ++ADec.Exponent;
            }
        }
    }
    while (!ADec.Digits.empty() && ADec.Digits.back() == '0')
        ADec.Digits.pop_back();
}

// AValue rounded to 15 significant digits, half away from zero. Correct rounding
// to 17 digits shows whether the value can lie exactly half-way at the 16th; only
// then are its exact digits needed.
TDecimal RoundedToFifteen(double AValue) {
    if (AValue == 0)
        return ToDecimal(AValue);
    char Buffer[40];
    const double Abs = std::fabs(AValue);
    const auto Conv =
        std::to_chars(Buffer, Buffer + sizeof Buffer, Abs, std::chars_format::scientific, 16);
    // "d.dddddddddddddddde+x": the 16th and 17th digits at 16 and 17.
    if (Buffer[16] == '5' && Buffer[17] == '0') {
        TDecimal Exact = ToDecimal(AValue);
        RoundDigits(Exact, 15);
        return Exact;
    }
    // Away from that case the 17 digits round at the 15th as the exact value does.
    TDecimal Result;
    Result.Negative = std::signbit(AValue);
    Result.Digits.reserve(18);
    Result.Digits.assign(1, Buffer[0]);
    Result.Digits.append(Buffer + 2, 16);
    int Exponent = 0;
    std::from_chars(Buffer + 19 + (Buffer[19] == '+' ? 1 : 0), Conv.ptr, Exponent);
    Result.Exponent = Exponent + 1;
    RoundDigits(Result, 15);
    return Result;
}

QString GroupDigits(const std::string& AInt, QChar ASeparator) {
    QString Result;
    const int n = static_cast<int>(AInt.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            Result += ASeparator;
        Result += QLatin1Char(AInt[i]);
    }
    return Result;
}

struct TPattern {
    bool Grouping = false;
    int MinInt = 1;
    int MinDec = 0;
    int MaxDec = 0;
};

TPattern ParsePattern(QStringView APattern) {
    TPattern P;
    const auto Dot = APattern.indexOf(QLatin1Char('.'));
    const QStringView IntPart = Dot < 0 ? APattern : APattern.left(Dot);
    const QStringView DecPart = Dot < 0 ? QStringView() : APattern.mid(Dot + 1);
    P.Grouping = IntPart.contains(QLatin1Char(','));
    P.MinInt = static_cast<int>(IntPart.count(QLatin1Char('0')));
    P.MinDec = static_cast<int>(DecPart.count(QLatin1Char('0')));
    P.MaxDec = P.MinDec + static_cast<int>(DecPart.count(QLatin1Char('#')));
    return P;
}

// A value lies exactly half-way between two texts with ADecimals decimals when
// its binary fraction has exactly ADecimals + 1 bits: such a number has exactly
// ADecimals + 1 decimals, the last one a 5.
bool IsHalfWay(double AValue, int ADecimals) {
    const double Finer = std::ldexp(AValue, ADecimals + 1);
    const double Coarser = std::ldexp(AValue, ADecimals);
    return Finer == std::trunc(Finer) && Coarser != std::trunc(Coarser);
}

QString NonFinite(double AValue) {
    if (std::isnan(AValue))
        return QStringLiteral("NAN");
    return AValue < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

} // namespace

QString FormatFloat(QStringView APattern, double AValue, const TFormatSettings& AFormat) {
    if (!std::isfinite(AValue))
        return NonFinite(AValue);
    // Beyond 18 integer digits a positional text says nothing more.
    if (std::fabs(AValue) >= 1e18)
        return FloatToFileText(AValue, AFormat);

    const TPattern P = ParsePattern(APattern);
    // to_chars rounds the exact binary value correctly; only an exact half-way case
    // needs a nudge so that it rounds away from zero.
    double Value = std::fabs(AValue);
    if (IsHalfWay(Value, P.MaxDec))
        Value = std::nextafter(Value, HUGE_VAL);
    char Buffer[64];
    const auto Conv =
        std::to_chars(Buffer, Buffer + sizeof Buffer, Value, std::chars_format::fixed, P.MaxDec);
    const std::string_view Text(Buffer, static_cast<std::size_t>(Conv.ptr - Buffer));
    const auto Dot = Text.find('.');
    std::string IntDigits(Text.substr(0, Dot));
    std::string DecDigits(Dot == std::string_view::npos ? std::string_view()
                                                        : Text.substr(Dot + 1));
    while (static_cast<int>(DecDigits.size()) > P.MinDec && DecDigits.back() == '0')
        DecDigits.pop_back();
    while (IntDigits.size() > 1 && IntDigits.front() == '0' &&
           static_cast<int>(IntDigits.size()) > P.MinInt)
        IntDigits.erase(0, 1);
    if (static_cast<int>(IntDigits.size()) < P.MinInt)
        IntDigits.insert(0, P.MinInt - IntDigits.size(), '0');
    const bool Zero = IntDigits.find_first_not_of('0') == std::string::npos &&
                      DecDigits.find_first_not_of('0') == std::string::npos;

    QString Result;
    if (AValue < 0 && !Zero)
        Result += QLatin1Char('-');
    if (P.Grouping)
        Result += GroupDigits(IntDigits, AFormat.ThousandSeparator);
    else
        Result += QString::fromLatin1(IntDigits.data(), static_cast<qsizetype>(IntDigits.size()));
    if (!DecDigits.empty()) {
        Result += AFormat.DecimalSeparator;
        Result += QString::fromLatin1(DecDigits.data(), static_cast<qsizetype>(DecDigits.size()));
    }
    return Result;
}

QString FormatFloat(const char* APattern, double AValue, const TFormatSettings& AFormat) {
    return FormatFloat(QString::fromLatin1(APattern), AValue, AFormat);
}

QString FloatToFileText(double AValue, const TFormatSettings& AFormat) {
    if (!std::isfinite(AValue))
        return NonFinite(AValue);
    const TDecimal Dec = RoundedToFifteen(AValue);
    if (Dec.Digits.empty())
        return QStringLiteral("0");

    QString Result;
    Result.reserve(32);
    if (Dec.Negative)
        Result += QLatin1Char('-');
    const auto Digits = [&](std::size_t AFrom, std::size_t ACount = std::string::npos) {
        const std::string_view Part = std::string_view(Dec.Digits).substr(AFrom, ACount);
        return QLatin1String(Part.data(), static_cast<qsizetype>(Part.size()));
    };
    // 0.0001 <= |v| < 1e15 in terms of the exponent of 0.Digits.
    if (Dec.Exponent >= -3 && Dec.Exponent <= 15) {
        const int Len = static_cast<int>(Dec.Digits.size());
        if (Dec.Exponent <= 0) {
            Result += QLatin1Char('0');
            Result += AFormat.DecimalSeparator;
            Result += QString(-Dec.Exponent, QLatin1Char('0'));
            Result += Digits(0);
        } else if (Len <= Dec.Exponent) {
            Result += Digits(0);
            Result += QString(Dec.Exponent - Len, QLatin1Char('0'));
        } else {
            Result += Digits(0, Dec.Exponent);
            Result += AFormat.DecimalSeparator;
            Result += Digits(Dec.Exponent);
        }
        return Result;
    }
    Result += Digits(0, 1);
    if (Dec.Digits.size() > 1) {
        Result += AFormat.DecimalSeparator;
        Result += Digits(1);
    }
    Result += QLatin1Char('E');
    Result += QString::number(Dec.Exponent - 1);
    return Result;
}

QString IntToFileText(int AValue) {
    return QString::number(AValue);
}

QString BoolToFileText(bool AValue) {
    return AValue ? QStringLiteral("1") : QStringLiteral("0");
}
