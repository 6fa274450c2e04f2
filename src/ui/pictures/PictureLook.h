// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QBrush>

class QCustomPlot;

// Pictures are drawn at the screen's 96 pixels per inch.
inline constexpr int PictureDpi = 96;

// The chart in the look of its pictures while this lives: a white background without
// the gradient. The previous background comes back however the scope is left.
class TPictureLook {
public:
    explicit TPictureLook(QCustomPlot& AChart);
    ~TPictureLook();
    TPictureLook(const TPictureLook&) = delete;
    TPictureLook& operator=(const TPictureLook&) = delete;

private:
    QCustomPlot& FChart;
    QBrush FBackground;
};

// The brush that fills the chart's background (QCustomPlot has no getter for it).
QBrush ChartBackground(const QCustomPlot& AChart);
