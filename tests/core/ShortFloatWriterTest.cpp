// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/ShortFloatWriter.h"
#include "TestLocales.h"
#include "analysis/TextExport.h"
#include "util/NumberFormat.h"

#include <gtest/gtest.h>

#include <QStringEncoder>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace {

// What the exports wrote number by number before: the QString of FormatFloat,
// encoded in the system's 8-bit encoding.
std::string Reference(double AValue, const TFormatSettings& AFormat) {
    QStringEncoder Encoder(QStringConverter::System);
    const QByteArray Bytes = Encoder.encode(FormatFloat(ShortFloatFormat, AValue, AFormat));
    return Bytes.toStdString();
}

std::string Fast(const TShortFloatWriter& AWriter, double AValue) {
    char Buffer[TShortFloatWriter::MaxBytes];
    return std::string(Buffer, AWriter.Write(AValue, Buffer));
}

void ExpectSameBytes(const std::vector<double>& AValues) {
    for (const TFormatSettings& Format : {DotLocale(), RussianLocale()}) {
        const TShortFloatWriter Writer(Format);
        for (const double v : AValues)
            ASSERT_EQ(Fast(Writer, v), Reference(v, Format)) << std::bit_cast<std::uint64_t>(v);
    }
}

TEST(ShortFloatWriter, TrickyValuesMatchFormatFloat) {
    const double Inf = std::numeric_limits<double>::infinity();
    ExpectSameBytes({0.0,
                     -0.0,
                     1,
                     -1,
                     0.5,
                     40,
                     1234.5,
                     -1234567.25,
                     0.00000004,
                     -0.00000004,
                     0.00000005,
                     0.000000049999999,
                     0.99999995,
                     0.999999949999,
                     999999.99999995,
                     0.00390625,
                     -0.00390625,
                     2.00000005,
                     1.0 / 3,
                     2.0 / 3,
                     0.1,
                     0.7,
                     123456789.123456789,
                     1e15 + 0.5,
                     4503599627370495.5,
                     9007199254740993.0,
                     999999999999999872.0,
                     1e18,
                     -1e18,
                     1e300,
                     5e-324,
                     std::numeric_limits<double>::max(),
                     std::numeric_limits<double>::quiet_NaN(),
                     Inf,
                     -Inf});
}

// Random bit patterns, magnitudes spread over every scale the pattern shows, exact
// half-way values and their neighbours.
TEST(ShortFloatWriter, RandomValuesMatchFormatFloat) {
    std::mt19937_64 Gen(7);
    std::uniform_real_distribution<double> Exponent(-12, 19.5);
    std::uniform_int_distribution<std::int64_t> Whole(0, std::int64_t{1} << 40);
    std::vector<double> Values;
    for (int i = 0; i < 40000; ++i) {
        Values.push_back(std::bit_cast<double>(Gen()));
        const double Sign = Gen() % 2 ? -1 : 1;
        Values.push_back(Sign * std::pow(10.0, Exponent(Gen)));
        // k / 2^8 has eight binary decimals: half-way at the seventh decimal when odd.
        const double Tie = Sign * std::ldexp(static_cast<double>(Whole(Gen) | 1), -8);
        Values.push_back(Tie);
        Values.push_back(std::nextafter(Tie, 0.0));
        Values.push_back(std::nextafter(Tie, Sign * 1e30));
        const double Boundary = (static_cast<double>(Whole(Gen) % 100000000) + 0.5) * 1e-7;
        Values.push_back(Boundary);
        Values.push_back(std::nextafter(Boundary, 0.0));
    }
    ExpectSameBytes(Values);
}

// Many lines in several pieces, on one thread and on many: the same text as the lines
// formatted one by one, delivered in order, never in one piece.
TEST(TextExport, LongTextsArriveInOrderInPieces) {
    std::mt19937_64 Gen(3);
    std::uniform_real_distribution<double> U(-2000, 2000);
    const std::size_t n = 70001;
    std::vector<double> x(n), y(n);
    std::string Expected;
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = 0.00025 * static_cast<double>(i);
        y[i] = U(Gen);
        Expected +=
            Reference(x[i], RussianLocale()) + "\t" + Reference(y[i], RussianLocale()) + "\r\n";
    }
    for (const int Threads : {1, 16}) {
        std::string Got;
        int Pieces = 0;
        WritePointsText(
            x, y,
            [&](QByteArrayView APiece) {
                Got.append(APiece.data(), static_cast<std::size_t>(APiece.size()));
                ++Pieces;
            },
            RussianLocale(), Threads);
        EXPECT_EQ(Got, Expected) << Threads;
        EXPECT_GE(Pieces, 3) << Threads;
    }
}

} // namespace
