// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "util/FormatSettings.h"

#include <QString>

// What the status bar's two readout panels show for the chart point under the pointer.
struct TReadout {
    QString X;
    QString Y;
};

// A data point's key and value, each with "#,##0.0######".
TReadout PointReadout(double AX, double AY,
                      const TFormatSettings& AFormat = TFormatSettings::Default());
// The pointer is over a chart with data but on no point of it: "0" and "0".
TReadout NoPointReadout();
