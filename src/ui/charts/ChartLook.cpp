// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/charts/ChartLook.h"
#include "ui/charts/ChartTickers.h"

#include "util/NumberFormat.h"

#include <cmath>

QString TFormatTicker::getTickLabel(double ATick, const QLocale& /*ALocale*/, QChar /*AFormatChar*/,
                                    int /*APrecision*/) {
    return FormatFloat(FPattern, ATick);
}

namespace {

// The most decimals a label pattern shows ("#,##0.#######" shows seven).
int PatternDecimals(const QString& APattern) {
    const qsizetype Point = APattern.indexOf(QLatin1Char('.'));
    return Point < 0 ? 0 : static_cast<int>(APattern.size() - Point - 1);
}

} // namespace

double TFormatTicker::getTickStep(const QCPRange& ARange) {
    // A step of 2.5e-7 under seven decimals would label its ticks 0.0000002, 0.0000005,
    // 0.0000008: the step becomes a whole number of the last decimal shown, at least one.
    const double Unit = std::pow(10.0, -PatternDecimals(FPattern));
    const double Step = QCPAxisTicker::getTickStep(ARange);
    const double Units = Step / Unit;
    if (Units < 1)
        return Unit;
    if (std::abs(Units - std::round(Units)) <= 1e-9 * Units)
        return Step;
    return std::floor(Units) * Unit;
}

namespace {

const QColor FrameColor(128, 128, 128);
const QColor GridColor(160, 160, 160);

void SetupAxis(QCPAxis& AAxis, const QFont& AFont) {
    AAxis.setBasePen(QPen(FrameColor, 1));
    AAxis.setTickPen(QPen(FrameColor, 1));
    AAxis.setSubTickPen(QPen(FrameColor, 1));
    AAxis.setTickLabelFont(AFont);
    AAxis.setLabelFont(AFont);
    AAxis.grid()->setPen(QPen(GridColor, 0, Qt::DotLine));
    AAxis.grid()->setZeroLinePen(Qt::NoPen);
}

// The opposite axes only close the frame round the plot.
void SetupFrameAxis(QCPAxis& AAxis) {
    AAxis.setVisible(true);
    AAxis.setBasePen(QPen(FrameColor, 1));
    AAxis.setTicks(false);
    AAxis.setTickLabels(false);
    AAxis.grid()->setVisible(false);
}

} // namespace

void SetupChart(QCustomPlot& AChart) {
    AChart.legend->setVisible(false);
    AChart.plotLayout()->setMargins(QMargins(ChartMargin, ChartMargin, ChartMargin, ChartMargin));

    QLinearGradient Background(0, 0, 0, 1);
    Background.setCoordinateMode(QGradient::ObjectBoundingMode);
    Background.setColorAt(0.0, QColor(239, 239, 239));
    Background.setColorAt(0.5, QColor(255, 255, 193));
    Background.setColorAt(1.0, QColor(255, 255, 255));
    AChart.setBackground(QBrush(Background));

    const QFont Font = AChart.font();
    SetupAxis(*AChart.xAxis, Font);
    SetupAxis(*AChart.yAxis, Font);
    SetupFrameAxis(*AChart.xAxis2);
    SetupFrameAxis(*AChart.yAxis2);
    for (QCPAxis* Axis : {AChart.yAxis, AChart.xAxis})
        SetAxisLabelFormat(*Axis, QString::fromLatin1(ShortFloatFormat));
}

void SetAxisLabelFormat(QCPAxis& AAxis, const QString& APattern) {
    if (AAxis.scaleType() == QCPAxis::stLogarithmic)
        AAxis.setTicker(QSharedPointer<TFormatLogTicker>::create(APattern));
    else
        AAxis.setTicker(QSharedPointer<TFormatTicker>::create(APattern));
}

QString TFormatLogTicker::getTickLabel(double ATick, const QLocale& /*ALocale*/,
                                       QChar /*AFormatChar*/, int /*APrecision*/) {
    return FormatFloat(FPattern, ATick);
}

void SetLogarithmicKeys(QCustomPlot& AChart, bool ALogarithmic) {
    const auto Scale = ALogarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear;
    AChart.xAxis->setScaleType(Scale);
    AChart.xAxis2->setScaleType(Scale);
    SetAxisLabelFormat(*AChart.xAxis, QString::fromLatin1(ShortFloatFormat));
}

namespace {

// Widens the axis range by APixels at each end, in the axis' own scale.
void WidenByPixels(QCPAxis& AAxis, int AAxisPixels, int APixels) {
    if (AAxisPixels <= 2 * APixels)
        return;
    const bool Log = AAxis.scaleType() == QCPAxis::stLogarithmic;
    const QCPRange Range = AAxis.range();
    if (Log && !(Range.lower > 0 && Range.upper > 0))
        return;
    const double Lower = Log ? std::log10(Range.lower) : Range.lower;
    const double Upper = Log ? std::log10(Range.upper) : Range.upper;
    const double Margin = APixels * (Upper - Lower) / (AAxisPixels - 2 * APixels);
    const auto Back = [Log](double AValue) { return Log ? std::pow(10.0, AValue) : AValue; };
    AAxis.setRange(Back(Lower - Margin), Back(Upper + Margin));
}

} // namespace

void FitAxesToData(QCustomPlot& AChart) {
    AChart.rescaleAxes();
    // The plot's size depends on the tick labels of the new range: lay it out first, so
    // that a fit gives the same range however the chart was shown before.
    for (auto Phase :
         {QCPLayoutElement::upPreparation, QCPLayoutElement::upMargins, QCPLayoutElement::upLayout})
        AChart.plotLayout()->update(Phase);
    const QRect Plot = AChart.axisRect()->rect();
    WidenByPixels(*AChart.xAxis, Plot.width(), ChartAxisOffset);
    WidenByPixels(*AChart.yAxis, Plot.height(), ChartAxisOffset);
    AChart.xAxis2->setRange(AChart.xAxis->range());
    AChart.yAxis2->setRange(AChart.yAxis->range());
}
