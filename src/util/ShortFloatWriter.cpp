// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/ShortFloatWriter.h"

#include "util/NumberFormat.h"

#include <QStringEncoder>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// m 10^7 needs up to 77 bits.
__extension__ typedef unsigned __int128 TWide;

constexpr int Decimals = 7;
constexpr std::uint64_t DecimalScale = 10'000'000;

// AValue's fraction, 0 <= AValue < 1, times 10^7 rounded half up, on the exact binary
// value: AValue = m 2^-s exactly, so m 10^7 / 2^s is an exact quotient and remainder
// of integers. AHalfWay tells whether it lay exactly half-way.
std::uint64_t ScaledFraction(double AValue, bool& AHalfWay) {
    AHalfWay = false;
    const std::uint64_t Bits = std::bit_cast<std::uint64_t>(AValue);
    const int Biased = static_cast<int>(Bits >> 52);
    if (Biased == 0 && Bits == 0)
        return 0;
    // AValue = m 2^-s with the implicit bit of a normal number restored.
    const std::uint64_t Fraction = Bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t m = Biased == 0 ? Fraction : Fraction | (std::uint64_t{1} << 52);
    const int s = 1075 - (Biased == 0 ? 1 : Biased); // > 52 since AValue < 1
    if (s >= 128)
        return 0; // below 2^-75: far under half a unit of the seventh decimal
    const TWide Product = static_cast<TWide>(m) * DecimalScale;
    const TWide Quotient = Product >> s;
    const TWide Remainder = Product - (Quotient << s);
    const TWide Half = TWide{1} << (s - 1);
    AHalfWay = Remainder == Half;
    return static_cast<std::uint64_t>(Quotient) + (Remainder >= Half ? 1 : 0);
}

// "00" to "99": the digits of a pair at once.
constexpr char Pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The decimal digits of a, at the end of a buffer that ends at AEnd; returns the start.
char* DigitsBackwards(std::uint64_t a, char* AEnd) {
    while (a >= 100) {
        const std::uint64_t Pair = a % 100;
        a /= 100;
        AEnd -= 2;
        std::memcpy(AEnd, Pairs + 2 * Pair, 2);
    }
    if (a >= 10) {
        AEnd -= 2;
        std::memcpy(AEnd, Pairs + 2 * a, 2);
    } else {
        *--AEnd = static_cast<char>('0' + a);
    }
    return AEnd;
}

char* Append(char* AOut, const std::string& ABytes) {
    if (ABytes.size() == 1) {
        *AOut = ABytes[0];
        return AOut + 1;
    }
    std::memcpy(AOut, ABytes.data(), ABytes.size());
    return AOut + ABytes.size();
}

} // namespace

std::string EncodeForExport(const QString& AText) {
    QStringEncoder Encoder(QStringConverter::System);
    const QByteArray Bytes = Encoder.encode(AText);
    return std::string(Bytes.constData(), static_cast<std::size_t>(Bytes.size()));
}

TShortFloatWriter::TShortFloatWriter(const TFormatSettings& AFormat)
    : FFormat(AFormat), FDecimal(EncodeForExport(QString(AFormat.DecimalSeparator))),
      FGroup(EncodeForExport(QString(AFormat.ThousandSeparator))) {}

char* TShortFloatWriter::Write(double AValue, char* AOut) const {
    const double Abs = std::fabs(AValue);
    if (!(Abs < 1e18))
        return WriteSlowly(AValue, AOut);
    std::uint64_t Integer = static_cast<std::uint64_t>(Abs); // the floor, below 2^63
    const double Whole = static_cast<double>(Integer);
    bool HalfWay = false;
    std::uint64_t Fraction = ScaledFraction(Abs - Whole, HalfWay); // the difference is exact
    // FormatFloat rounds an exact half-way value as the next double up; for values
    // whose step is coarser than the seventh decimal that is not the same as rounding up.
    if (HalfWay)
        Fraction = ScaledFraction(std::nextafter(Abs, HUGE_VAL) - Whole, HalfWay);
    if (Fraction == DecimalScale) {
        ++Integer;
        Fraction = 0;
    }
    if (AValue < 0 && (Integer != 0 || Fraction != 0))
        *AOut++ = '-';
    char Digits[24];
    char* const End = Digits + sizeof Digits;
    const char* First = DigitsBackwards(Integer, End);
    const std::size_t Count = static_cast<std::size_t>(End - First);
    for (std::size_t i = 0; i < Count; ++i) {
        if (i > 0 && (Count - i) % 3 == 0)
            AOut = Append(AOut, FGroup);
        *AOut++ = First[i];
    }
    if (Fraction != 0) {
        AOut = Append(AOut, FDecimal);
        // Seven digits with their leading zeros, then the trailing zeros dropped.
        const std::uint64_t High = Fraction / 10000, Low = Fraction % 10000;
        AOut[0] = static_cast<char>('0' + High / 100);
        std::memcpy(AOut + 1, Pairs + 2 * (High % 100), 2);
        std::memcpy(AOut + 3, Pairs + 2 * (Low / 100), 2);
        std::memcpy(AOut + 5, Pairs + 2 * (Low % 100), 2);
        AOut += Decimals;
        while (AOut[-1] == '0')
            --AOut;
    }
    return AOut;
}

char* TShortFloatWriter::WriteSlowly(double AValue, char* AOut) const {
    const std::string Text = EncodeForExport(FormatFloat(ShortFloatFormat, AValue, FFormat));
    const std::size_t Size = std::min(Text.size(), MaxBytes);
    std::memcpy(AOut, Text.data(), Size);
    return AOut + Size;
}
