// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointF>

#include <optional>

class QCPAbstractPlottable;
class QCustomPlot;

// The index of the data point of APlottable under APos, or -1: the chart's own hit
// test (the point or segment of a line, the bar of a bar series).
int PointIndexAt(const QCPAbstractPlottable& APlottable, const QPointF& APos);

struct TSeriesPoint {
    QCPAbstractPlottable* Series;
    int Index;
};
// The first series of AChart, in order, with a data point under APos.
std::optional<TSeriesPoint> SeriesPointAt(QCustomPlot& AChart, const QPointF& APos);

// Whether APos lies in the plot area on none of the chart's series.
bool OnEmptyPlotArea(QCustomPlot& AChart, const QPointF& APos);
