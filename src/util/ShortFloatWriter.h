// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "util/FormatSettings.h"

#include <cstddef>
#include <string>

// Writes numbers as FormatFloat(ShortFloatFormat, ...) does, "#,##0.#######" under the
// given separators, straight into bytes of the system's 8-bit encoding, the export's
// encoding: the same bytes as the QString formatted and encoded, at a small fraction
// of the cost. Values that the pattern cannot hold positionally (not finite, or of
// 10^18 and more) take FormatFloat itself.
class TShortFloatWriter {
public:
    // Room that one number may take.
    static constexpr std::size_t MaxBytes = 64;

    explicit TShortFloatWriter(const TFormatSettings& AFormat);

    // Writes the text of AValue at AOut and returns the end of it.
    char* Write(double AValue, char* AOut) const;

private:
    char* WriteSlowly(double AValue, char* AOut) const;

    TFormatSettings FFormat;
    std::string FDecimal; // the separators, encoded
    std::string FGroup;
};

// AText in the system's 8-bit encoding, as the text exports write it.
std::string EncodeForExport(const class QString& AText);
