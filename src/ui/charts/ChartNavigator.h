// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointF>

class QCustomPlot;
class QMouseEvent;
class QWheelEvent;

// Looking closer at a chart: the wheel zooms the horizontal axis around the pointer,
// Ctrl with the wheel the vertical one, and dragging with the middle button pans both.
// The left and right buttons are left to the chart's other handlers.
class TChartNavigator : public QObject {
    Q_OBJECT
public:
    explicit TChartNavigator(QCustomPlot& AChart);

    // One wheel notch (120 eighths of a degree) shrinks the shown range to this share.
    static constexpr double ZoomPerNotch = 0.8;

    void Zoom(Qt::Orientation AAxis, double ANotches, const QPointF& AAround);
    void Pan(const QPointF& APixels);

protected:
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    QCustomPlot& FChart;
    bool FPanning = false;
    QPointF FLast;
};
