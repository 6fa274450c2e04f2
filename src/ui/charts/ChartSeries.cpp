// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/charts/ChartSeries.h"

#include "ui/charts/ChartLook.h"
#include "ui/charts/SpectrumBars.h"

#include <qcustomplot.h>

QCPGraph* AddLineSeries(QCustomPlot* AChart, bool ARemoveFirst, int AWidth, const QColor& AColor) {
    if (ARemoveFirst)
        AChart->clearPlottables();
    auto* Series = new QCPGraph(AChart->xAxis, AChart->yAxis); // owned by the chart
    Series->setPen(QPen(AColor, AWidth));
    ShowPointMarkers(*Series, false);
    Series->setAdaptiveSampling(true);
    return Series;
}

TSpectrumBars* AddBarSeries(QCustomPlot* AChart, bool ARemoveFirst, const QColor& AColor) {
    if (ARemoveFirst)
        AChart->clearPlottables();
    auto* Series = new TSpectrumBars(AChart->xAxis, AChart->yAxis); // owned by the chart
    Series->setWidthType(QCPBars::wtPlotCoords);
    Series->setPen(Qt::NoPen);
    Series->setBrush(AColor);
    Series->setAntialiased(false);
    return Series;
}

void SetCurvePoints(QCPGraph& ASeries, std::span<const double> ATime,
                    std::span<const double> AValue) {
    QVector<QCPGraphData> Points(static_cast<qsizetype>(ATime.size()));
    for (qsizetype i = 0; i < Points.size(); ++i)
        Points[i] = QCPGraphData(ATime[i], AValue[i]);
    ASeries.data()->set(Points, true);
}

void SetSpectrumPoints(TSpectrumBars& ASeries, std::span<const double> AFrequency,
                       std::span<const double> AMagnitude, double ALineSpacing) {
    QVector<QCPBarsData> Points(static_cast<qsizetype>(AFrequency.size()));
    for (qsizetype k = 0; k < Points.size(); ++k)
        Points[k] = QCPBarsData(AFrequency[k], AMagnitude[k]);
    ASeries.data()->set(Points, true);
    const double Spacing = Points.size() > 1 ? Points[1].key - Points[0].key : ALineSpacing;
    ASeries.setWidth(0.15 * Spacing);
}

void ShowCurve(QCustomPlot& AChart, std::span<const double> ATime, std::span<const double> AValue) {
    SetCurvePoints(*AddLineSeries(&AChart, true, 1, CurveColor), ATime, AValue);
    FitAxesToData(AChart);
    AChart.replot();
}

void ShowSpectrum(QCustomPlot& AChart, std::span<const double> AFrequency,
                  std::span<const double> AMagnitude, double ALineSpacing, double ABase) {
    TSpectrumBars& Bars = *AddBarSeries(&AChart, true, SpectrumColor);
    SetSpectrumPoints(Bars, AFrequency, AMagnitude, ALineSpacing);
    if (ABase != 0)
        SetBarValues(Bars, AMagnitude, ABase);
    FitAxesToData(AChart);
    AChart.replot();
}

void SetBarValues(TSpectrumBars& ABars, std::span<const double> AValues, double ABase) {
    ABars.setBaseValue(ABase);
    // Bars are as high as the value above their base.
    std::size_t i = 0;
    for (auto It = ABars.data()->begin(); It != ABars.data()->end() && i < AValues.size(); ++It)
        It->value = AValues[i++] - ABase;
}

void ShowPointMarkers(QCPGraph& ASeries, bool AVisible) {
    const QColor Colour = ASeries.pen().color();
    ASeries.setScatterStyle(
        AVisible ? QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::black), QBrush(Colour), 3)
                 : QCPScatterStyle(QCPScatterStyle::ssNone));
}

TSeriesPoints FirstSeriesPoints(QCustomPlot& AChart) {
    TSeriesPoints Points;
    const QCPPlottableInterface1D* Series =
        AChart.plottableCount() > 0 ? AChart.plottable(0)->interface1D() : nullptr;
    if (!Series)
        return Points;
    const int Count = Series->dataCount();
    Points.X.resize(static_cast<std::size_t>(Count));
    Points.Y.resize(static_cast<std::size_t>(Count));
    for (int i = 0; i < Count; ++i) {
        Points.X[static_cast<std::size_t>(i)] = Series->dataMainKey(i);
        Points.Y[static_cast<std::size_t>(i)] = Series->dataMainValue(i);
    }
    return Points;
}
