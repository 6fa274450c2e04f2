// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Any double through the writers and back through the readers: the file form keeps
// 15 significant digits and reads back to itself, the display forms keep seven
// decimals. Any text through the readers: a failure or a finite value, no crash.
#include "FuzzCheck.h"
#include "util/NumberFormat.h"
#include "util/TextConvert.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    if (ASize < 9)
        return 0;
    double v;
    std::memcpy(&v, AData, sizeof v);
    int i;
    std::memcpy(&i, AData, sizeof i);
    const TFormatSettings Format = AData[8] & 1
                                       ? TFormatSettings{QLatin1Char(','), QChar(0x00A0)}
                                       : TFormatSettings{QLatin1Char('.'), QLatin1Char(',')};
    const double Ulp = std::numeric_limits<double>::epsilon();

    const QString Text = FloatToFileText(v, Format);
    double Back = 0;
    const bool Read = TryTextToFloat(Text, Back, Format);
    if (std::isfinite(v)) {
        FUZZ_CHECK(Read);
        FUZZ_CHECK(FloatToFileText(Back, Format) == Text);
        // Half a unit of the 15th digit, and the rounding of the reading.
        FUZZ_CHECK(std::fabs(Back - v) <=
                   (5e-15 + 2 * Ulp) * std::fabs(v) + std::numeric_limits<double>::denorm_min());
    }

    for (const char* Pattern : {FloatFormat, ShortFloatFormat}) {
        QString Shown = FormatFloat(Pattern, v, Format);
        if (std::isfinite(v) && std::fabs(v) < 1e15) {
            Shown.remove(Format.ThousandSeparator);
            FUZZ_CHECK(TryTextToFloat(Shown, Back, Format));
            FUZZ_CHECK(std::fabs(Back - v) <= 5e-8 + Ulp * std::fabs(v));
        }
    }

    int j = 0;
    FUZZ_CHECK(TryTextToInt(IntToFileText(i), j) && j == i);

    const QString Raw = QString::fromUtf8(reinterpret_cast<const char*>(AData + 9),
                                          static_cast<qsizetype>(ASize - 9));
    if (TryTextToFloat(Raw, Back, Format))
        FUZZ_CHECK(std::isfinite(Back));
    FUZZ_CHECK(std::isfinite(TextToFloatDef(Raw, 0, Format)));
    TryTextToInt(Raw, j);
    return 0;
}
