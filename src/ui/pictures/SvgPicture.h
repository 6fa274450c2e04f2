// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QSize>

class QCustomPlot;

// The chart drawn at ASize pixels (96 dpi) as an SVG document, with what the plot
// draws (series and items) clipped to the axis rectangle by an SVG clip path, as the
// other formats clip it.
QByteArray ChartSvg(QCustomPlot& AChart, QSize ASize);
