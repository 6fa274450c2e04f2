// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>
#include <QString>

// The chart library's header is large; only the sources that use the charts include it.
class QCPAxis;
class QCustomPlot;

// The look both charts share: no legend or title, a grey frame round the plot, 2 px
// margins, dotted grid lines, 1 px axis lines, a three-colour background and
// "#,##0.#######" labels on both axes.
void SetupChart(QCustomPlot& AChart);
// Sets the label pattern of one axis ("#,##0.#######" for both axes of both charts).
void SetAxisLabelFormat(QCPAxis& AAxis, const QString& APattern);
// Shows the horizontal axis in decades (a key of 0 or less then stays off the chart),
// or linear again.
void SetLogarithmicKeys(QCustomPlot& AChart, bool ALogarithmic);
// Fits both axes to the data with a few pixels between the data and each axis end.
void FitAxesToData(QCustomPlot& AChart);

inline constexpr int ChartMargin = 2;
// The charts' sizes in the window at start, the size of pictures made without one.
inline constexpr QSize CurveChartSize(661, 241);
inline constexpr QSize SpectrumChartSize(661, 232);
inline constexpr int ChartAxisOffset = 2;
