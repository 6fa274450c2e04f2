// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/charts/ChartSeries.h"

#include <QObject>
#include <QPointF>

#include <vector>

class QAction;
class QCPAbstractPlottable;
class QCustomPlot;
class QMouseEvent;
class QSplitter;
class QWidget;
class TCommandGuard;
class TStatusPanels;
struct TCalcResult;

// The curve chart above the spectrum chart, split by hSplitter: the series of the last
// recalculation, the readout of the point under the mouse, the curve's point markers,
// zoom and pan, and each chart's context menu. The spectrum can be shown in decibels
// and over logarithmic frequency; both choices are remembered between runs.
class TChartsPanel : public QObject {
    Q_OBJECT
public:
    TChartsPanel(TStatusPanels& AStatus, const TCommandGuard& AGuard, QWidget* AParent);
    ~TChartsPanel() override;

    QCustomPlot& Curve() const { return *tcCurve; }
    QCustomPlot& Spectrum() const { return *tcSpectrum; }

    // Replaces the series of both charts by those of a run; ALineSpacing is the
    // spectrum's line spacing, 1 / (N·dt).
    void ShowResults(const TCalcResult& AResult, double ALineSpacing);

    // The chart's data in linear units, whatever the view: what the text exports write.
    TSeriesPoints DataPoints(QCustomPlot& AChart) const;
    // The full range again, as after a recalculation.
    void ShowAll(QCustomPlot& AChart);
    // The chart as a picture (white, no gradient) on the clipboard, as an image and as SVG.
    void CopyPicture(QCustomPlot& AChart);

    bool Decibels() const { return FDecibels; }
    void SetDecibels(bool AValue);
    bool LogFrequency() const { return FLogFrequency; }
    void SetLogFrequency(bool AValue);

signals:
    void SavePictureRequested(QCustomPlot* AChart);
    void SaveTextRequested(QCustomPlot* AChart);

private:
    void CreateContextMenu(QCustomPlot& AChart);
    // Rebuilds the spectrum series from the linear data in the chosen units.
    void ShowSpectrumView();
    void ConnectHandlers();
    void hSplitterMoved();
    void tcCurveMouseMove(QCustomPlot* Sender, QMouseEvent* AEvent);
    void tcCurveMouseDown(QCustomPlot* Sender, QMouseEvent* AEvent);
    void tcCurveClickSeries(QCustomPlot* Sender, QCPAbstractPlottable* Series, QMouseEvent* AEvent);

    TStatusPanels& FStatus;
    const TCommandGuard& FGuard;
    QSplitter* hSplitter; // owned by its parent widget, the charts by the splitter
    QCustomPlot* tcCurve = nullptr;
    QCustomPlot* tcSpectrum = nullptr;
    // Where the last press on the curve chart landed.
    QPointF FCurvePress;
    // The last spectrum in linear units, and how it is shown.
    std::vector<double> FFrequency;
    std::vector<double> FMagnitude;
    double FLineSpacing = 1;
    bool FDecibels = false;
    bool FLogFrequency = false;
    QAction* acDecibels = nullptr; // owned by the spectrum's menu
    QAction* acLogFrequency = nullptr;
};
