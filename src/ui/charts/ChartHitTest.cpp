// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/charts/ChartHitTest.h"

#include <qcustomplot.h>

int PointIndexAt(const QCPAbstractPlottable& APlottable, const QPointF& APos) {
    QVariant Details;
    const double Distance = APlottable.selectTest(APos, false, &Details);
    if (Distance < 0 || Distance >= APlottable.parentPlot()->selectionTolerance())
        return -1;
    const auto Selection = Details.value<QCPDataSelection>();
    return Selection.isEmpty() ? -1 : Selection.dataRange(0).begin();
}

std::optional<TSeriesPoint> SeriesPointAt(QCustomPlot& AChart, const QPointF& APos) {
    for (int i = 0; i < AChart.plottableCount(); ++i) {
        QCPAbstractPlottable* Series = AChart.plottable(i);
        if (const int Index = PointIndexAt(*Series, APos); Index >= 0)
            return TSeriesPoint{Series, Index};
    }
    return std::nullopt;
}

bool OnEmptyPlotArea(QCustomPlot& AChart, const QPointF& APos) {
    return AChart.axisRect()->rect().contains(APos.toPoint()) && !SeriesPointAt(AChart, APos);
}
