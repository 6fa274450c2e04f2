// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/Readout.h"

#include "util/NumberFormat.h"

TReadout PointReadout(double AX, double AY, const TFormatSettings& AFormat) {
    return {FormatFloat(FloatFormat, AX, AFormat), FormatFloat(FloatFormat, AY, AFormat)};
}

TReadout NoPointReadout() {
    return {QStringLiteral("0"), QStringLiteral("0")};
}
