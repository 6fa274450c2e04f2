// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/charts/ChartNavigator.h"

#include <QWheelEvent>

#include <qcustomplot.h>

#include <cmath>

namespace {

// The frame axes mirror the ranges of the axes with labels.
void SyncFrame(QCustomPlot& AChart) {
    AChart.xAxis2->setScaleType(AChart.xAxis->scaleType());
    AChart.yAxis2->setScaleType(AChart.yAxis->scaleType());
    AChart.xAxis2->setRange(AChart.xAxis->range());
    AChart.yAxis2->setRange(AChart.yAxis->range());
}

// Shifts the axis by APixels, so that what was under a pixel moves with the pointer;
// on a logarithmic axis too.
void ShiftAxis(QCPAxis& AAxis, double APixels) {
    const QCPRange Range = AAxis.range();
    const double Lower = AAxis.pixelToCoord(AAxis.coordToPixel(Range.lower) - APixels);
    const double Upper = AAxis.pixelToCoord(AAxis.coordToPixel(Range.upper) - APixels);
    if (std::isfinite(Lower) && std::isfinite(Upper) && Lower != Upper)
        AAxis.setRange(Lower, Upper);
}

} // namespace

TChartNavigator::TChartNavigator(QCustomPlot& AChart) : QObject(&AChart), FChart(AChart) {
    AChart.installEventFilter(this);
}

void TChartNavigator::Zoom(Qt::Orientation AAxis, double ANotches, const QPointF& AAround) {
    QCPAxis& Axis = AAxis == Qt::Horizontal ? *FChart.xAxis : *FChart.yAxis;
    const double Centre = Axis.pixelToCoord(AAxis == Qt::Horizontal ? AAround.x() : AAround.y());
    // scaleRange keeps the centre's pixel in place on linear and logarithmic axes alike.
    Axis.scaleRange(std::pow(ZoomPerNotch, ANotches), Centre);
    SyncFrame(FChart);
    FChart.replot(QCustomPlot::rpQueuedReplot);
}

void TChartNavigator::Pan(const QPointF& APixels) {
    ShiftAxis(*FChart.xAxis, APixels.x());
    ShiftAxis(*FChart.yAxis, APixels.y());
    SyncFrame(FChart);
    FChart.replot(QCustomPlot::rpQueuedReplot);
}

bool TChartNavigator::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AObject != &FChart)
        return false;
    switch (AEvent->type()) {
    case QEvent::Wheel: {
        auto* Wheel = static_cast<QWheelEvent*>(AEvent);
        const double Notches = Wheel->angleDelta().y() / 120.0;
        if (Notches != 0)
            Zoom(Wheel->modifiers() & Qt::ControlModifier ? Qt::Vertical : Qt::Horizontal, Notches,
                 Wheel->position());
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* Mouse = static_cast<QMouseEvent*>(AEvent);
        if (Mouse->button() != Qt::MiddleButton)
            return false;
        FPanning = true;
        FLast = Mouse->position();
        FChart.setCursor(Qt::ClosedHandCursor);
        return true;
    }
    case QEvent::MouseMove: {
        auto* Mouse = static_cast<QMouseEvent*>(AEvent);
        if (!FPanning)
            return false;
        Pan(Mouse->position() - FLast);
        FLast = Mouse->position();
        // The readout still follows the pointer.
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto* Mouse = static_cast<QMouseEvent*>(AEvent);
        if (Mouse->button() != Qt::MiddleButton || !FPanning)
            return false;
        FPanning = false;
        FChart.unsetCursor();
        return true;
    }
    default:
        return false;
    }
}

// The meta-object code of the class, compiled with this source.
#include "moc_ChartNavigator.cpp"
