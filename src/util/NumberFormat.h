// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "util/FormatSettings.h"

#include <QString>
#include <QStringView>

// Display patterns of the program: at least one integer digit, digits grouped by
// three, one to seven decimals ("#,##0.0######") or none to seven ("#,##0.#######").
inline constexpr const char* FloatFormat = "#,##0.0######";
inline constexpr const char* ShortFloatFormat = "#,##0.#######";

// Formats AValue with a pattern of the form [#,##]0[.0..#..]: a "," before the
// decimal point asks for digit groups, "0" after it is a required decimal and "#"
// an optional one. Rounds half away from zero on the exact binary value.
// A value that rounds to zero is written without a minus sign.
QString FormatFloat(QStringView APattern, double AValue,
                    const TFormatSettings& AFormat = TFormatSettings::Default());
QString FormatFloat(const char* APattern, double AValue,
                    const TFormatSettings& AFormat = TFormatSettings::Default());

// The project file's float text: 15 significant digits, positional when
// 0.0001 <= |v| < 1e15, otherwise "2,5E-6" style; "0" for zero.
QString FloatToFileText(double AValue, const TFormatSettings& AFormat = TFormatSettings::Default());
QString IntToFileText(int AValue);
QString BoolToFileText(bool AValue);
