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
    if (AValue == 0)
        return 0;
    int Exponent = 0;
    const double Mantissa = std::frexp(AValue, &Exponent); // AValue = Mantissa 2^Exponent
    const std::uint64_t m = static_cast<std::uint64_t>(std::ldexp(Mantissa, 53));
    const int s = 53 - Exponent; // AValue = m 2^-s, s > 53 since AValue < 1
    if (s >= 128)
        return 0; // below 2^-75: far under half a unit of the seventh decimal
    const TWide Product = static_cast<TWide>(m) * DecimalScale;
    const TWide Quotient = Product >> s;
    const TWide Remainder = Product - (Quotient << s);
    const TWide Half = TWide{1} << (s - 1);
    AHalfWay = Remainder == Half;
    return static_cast<std::uint64_t>(Quotient) + (Remainder >= Half ? 1 : 0);
}

// The decimal digits of a, at the end of a buffer that ends at AEnd; returns the start.
char* DigitsBackwards(std::uint64_t a, char* AEnd) {
    do {
        *--AEnd = static_cast<char>('0' + a % 10);
        a /= 10;
    } while (a != 0);
    return AEnd;
}

char* Append(char* AOut, const std::string& ABytes) {
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
    double Whole = std::floor(Abs);
    std::uint64_t Integer = static_cast<std::uint64_t>(Whole);
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
        int Shown = Decimals;
        while (Fraction % 10 == 0) {
            Fraction /= 10;
            --Shown;
        }
        char* const Start = AOut;
        AOut += Shown;
        for (char* p = AOut; p != Start; Fraction /= 10)
            *--p = static_cast<char>('0' + Fraction % 10);
    }
    return AOut;
}

char* TShortFloatWriter::WriteSlowly(double AValue, char* AOut) const {
    const std::string Text = EncodeForExport(FormatFloat(ShortFloatFormat, AValue, FFormat));
    const std::size_t Size = std::min(Text.size(), MaxBytes);
    std::memcpy(AOut, Text.data(), Size);
    return AOut + Size;
}
