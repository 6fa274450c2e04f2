// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

#include <span>
#include <vector>

class QCPGraph;
class QCustomPlot;
class TSpectrumBars;

// The curve is red and the spectrum blue, on screen and in pictures alike.
inline const QColor CurveColor(255, 0, 0);
inline const QColor SpectrumColor(0, 0, 255);

// A new line series on AChart (replacing the chart's series when ARemoveFirst), drawn
// AWidth pixels wide in AColor, with its point markers hidden.
QCPGraph* AddLineSeries(QCustomPlot* AChart, bool ARemoveFirst, int AWidth, const QColor& AColor);
// A new bar series on AChart: solid AColor bars without outline or value marks.
TSpectrumBars* AddBarSeries(QCustomPlot* AChart, bool ARemoveFirst, const QColor& AColor);

// The curve's points, (time, value).
void SetCurvePoints(QCPGraph& ASeries, std::span<const double> ATime,
                    std::span<const double> AValue);
// The spectrum's points, (frequency, magnitude); each bar is 15 % of the room between
// two spectrum lines, ALineSpacing when there is only one line.
void SetSpectrumPoints(TSpectrumBars& ASeries, std::span<const double> AFrequency,
                       std::span<const double> AMagnitude, double ALineSpacing);

// Replaces the chart's series by the curve, or by the spectrum, and fits the axes to it.
void ShowCurve(QCustomPlot& AChart, std::span<const double> ATime, std::span<const double> AValue);
// The bars grow from ABase (0, or the floor of a decibel view).
void ShowSpectrum(QCustomPlot& AChart, std::span<const double> AFrequency,
                  std::span<const double> AMagnitude, double ALineSpacing, double ABase = 0);

// New heights for the bars of the spectrum, in the order of its points, growing from ABase.
void SetBarValues(TSpectrumBars& ABars, std::span<const double> AValues, double ABase);

// Shows the curve's samples as small circles in the series colour, or hides them.
void ShowPointMarkers(QCPGraph& ASeries, bool AVisible);

// The points of the chart's first series, as the exports read them; empty without one.
struct TSeriesPoints {
    std::vector<double> X;
    std::vector<double> Y;
};
TSeriesPoints FirstSeriesPoints(QCustomPlot& AChart);
