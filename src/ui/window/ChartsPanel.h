#pragma once

#include <QObject>
#include <QPointF>

class QCPAbstractPlottable;
class QCustomPlot;
class QMouseEvent;
class QSplitter;
class QWidget;
class TCommandGuard;
class TStatusPanels;
struct TCalcResult;

// The curve chart above the spectrum chart, split by hSplitter: the series of the last
// recalculation, the readout of the point under the mouse and the curve's point markers.
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

private:
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
};
