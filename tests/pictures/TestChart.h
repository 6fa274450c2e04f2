// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLinearGradient>

#include <cmath>
#include <memory>

#include <qcustomplot.h>

inline const QColor TestCurveColor(255, 0, 0);
inline const QColor TestBarColor(0, 0, 255);
inline const QColor TestGridColor(160, 160, 160);
inline constexpr int TestBarCount = 12;

// A chart in the program's look: a red line, blue bars without outline, a dotted grid,
// Tahoma labels and a three-colour background gradient.
inline std::unique_ptr<QCustomPlot> TestChart(QSize ASize, int APoints = 200) {
    auto Chart = std::make_unique<QCustomPlot>();
    Chart->resize(ASize);
    QLinearGradient Background(0, 0, 0, 1);
    Background.setCoordinateMode(QGradient::ObjectBoundingMode);
    Background.setColorAt(0.0, QColor(239, 239, 239));
    Background.setColorAt(0.5, QColor(255, 255, 193));
    Background.setColorAt(1.0, QColor(255, 255, 255));
    Chart->setBackground(QBrush(Background));
    const QFont Font(QStringLiteral("Tahoma"), 8);
    for (QCPAxis* Axis : {Chart->xAxis, Chart->yAxis}) {
        Axis->setTickLabelFont(Font);
        Axis->grid()->setPen(QPen(TestGridColor, 0, Qt::DotLine));
    }

    QCPGraph* Curve = Chart->addGraph();
    Curve->setPen(QPen(TestCurveColor, 1));
    Curve->setAdaptiveSampling(true);
    QVector<double> Keys, Values;
    for (int i = 0; i < APoints; ++i) {
        Keys.push_back(i * 0.01 / APoints * 200);
        Values.push_back(std::exp(-Keys.back()) * std::sin(50 * Keys.back()));
    }
    Curve->setData(Keys, Values, true);

    auto* Bars = new QCPBars(Chart->xAxis, Chart->yAxis);
    Bars->setPen(Qt::NoPen);
    Bars->setBrush(TestBarColor);
    Bars->setWidth(0.05);
    for (int i = 0; i < TestBarCount; ++i)
        Bars->addData(0.1 + i * 0.15, 0.2 + 0.05 * (i % 5));
    Chart->rescaleAxes();
    return Chart;
}
