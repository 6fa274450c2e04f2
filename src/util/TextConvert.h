// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "util/FormatSettings.h"

#include <QString>
#include <QStringView>

// Every "." and then every "," becomes the locale's decimal separator, so that
// numbers typed by the user convert with either separator.
QString NormalizeDecimalSeparator(QStringView AText,
                                  const TFormatSettings& AFormat = TFormatSettings::Default());

// Strict float conversion: optional spaces, sign, digits with at most one decimal
// separator, optional exponent, optional spaces. Group separators fail. A value
// too small to hold is zero; one too large fails, except up to 1.79769313486232E308,
// the largest double at 15 significant digits, which reads as the largest double.
bool TryTextToFloat(QStringView AText, double& AValue,
                    const TFormatSettings& AFormat = TFormatSettings::Default());

// Normalises the separator first; the result is ADefault when the text does not convert.
double TextToFloatDef(QStringView AText, double ADefault,
                      const TFormatSettings& AFormat = TFormatSettings::Default());

// Strict 32-bit integer conversion: leading spaces, sign, decimal digits or
// hexadecimal digits after "$", "x" or "0x"; nothing after the digits.
bool TryTextToInt(QStringView AText, int& AValue);
int TextToIntDef(QStringView AText, int ADefault);
