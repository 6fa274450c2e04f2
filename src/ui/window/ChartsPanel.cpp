#include "ui/window/ChartsPanel.h"

#include "analysis/Readout.h"
#include "analysis/Recalculation.h"
#include "ui/charts/ChartHitTest.h"
#include "ui/charts/ChartLook.h"
#include "ui/charts/ChartSeries.h"
#include "ui/charts/SpectrumBars.h"
#include "ui/window/CommandGuard.h"
#include "ui/window/StatusPanels.h"

#include <QSplitter>

#include <qcustomplot.h>

namespace {

constexpr int ChartPaneMinHeight = 201;
constexpr int CurveMinHeight = 30;
// A press and a release closer than this make a click.
constexpr int ClickTolerance = 3;

QCustomPlot* NewChart(const char* AName, QWidget* AParent) {
    auto* Chart = new QCustomPlot(AParent); // owned by the splitter
    Chart->setObjectName(QLatin1String(AName));
    SetupChart(*Chart);
    return Chart;
}

} // namespace

TChartsPanel::TChartsPanel(TStatusPanels& AStatus, const TCommandGuard& AGuard, QWidget* AParent)
    : FStatus(AStatus), FGuard(AGuard), hSplitter(new QSplitter(Qt::Vertical, AParent)) {
    hSplitter->setObjectName(QStringLiteral("hSplitter"));
    hSplitter->setHandleWidth(4);
    hSplitter->setOpaqueResize(true);
    hSplitter->setChildrenCollapsible(false);
    tcCurve = NewChart("tcCurve", hSplitter);
    tcCurve->setMinimumHeight(CurveMinHeight);
    tcSpectrum = NewChart("tcSpectrum", hSplitter);
    tcSpectrum->setMinimumHeight(ChartPaneMinHeight);
    hSplitter->setStretchFactor(0, 1);
    hSplitter->setStretchFactor(1, 0);
    hSplitter->setSizes({CurveChartSize.height(), SpectrumChartSize.height()});
    ConnectHandlers();
}

TChartsPanel::~TChartsPanel() = default;

void TChartsPanel::ConnectHandlers() {
    connect(hSplitter, &QSplitter::splitterMoved, this,
            [this] { FGuard.Run([this] { hSplitterMoved(); }); });
    for (QCustomPlot* Chart : {tcCurve, tcSpectrum}) {
        Chart->setMouseTracking(true);
        connect(Chart, &QCustomPlot::mouseMove, this, [this, Chart](QMouseEvent* AEvent) {
            FGuard.Run([&] { tcCurveMouseMove(Chart, AEvent); });
        });
    }
    // A click on a series is a press and a release at the same place over it; the
    // chart's own click detection also answers for axes and the frame.
    connect(tcCurve, &QCustomPlot::mousePress, this, [this](QMouseEvent* AEvent) {
        FCurvePress = AEvent->position();
        FGuard.Run([&] { tcCurveMouseDown(tcCurve, AEvent); });
    });
    connect(tcCurve, &QCustomPlot::mouseRelease, this, [this](QMouseEvent* AEvent) {
        if ((AEvent->position() - FCurvePress).manhattanLength() > ClickTolerance)
            return;
        if (const auto Hit = SeriesPointAt(*tcCurve, FCurvePress))
            FGuard.Run([&] { tcCurveClickSeries(tcCurve, Hit->Series, AEvent); });
    });
}

void TChartsPanel::ShowResults(const TCalcResult& AResult, double ALineSpacing) {
    ShowCurve(*tcCurve, AResult.CurveTime, AResult.CurveValue);
    ShowSpectrum(*tcSpectrum, AResult.SpectrumFrequency, AResult.SpectrumMagnitude, ALineSpacing);
}

// Neither chart is dragged smaller than 201 while there is room for both.
void TChartsPanel::hSplitterMoved() {
    const QList<int> Sizes = hSplitter->sizes();
    if (Sizes.size() != 2 || Sizes[0] + Sizes[1] < 2 * ChartPaneMinHeight)
        return;
    if (Sizes[0] < ChartPaneMinHeight)
        hSplitter->setSizes({ChartPaneMinHeight, Sizes[0] + Sizes[1] - ChartPaneMinHeight});
}

void TChartsPanel::tcCurveMouseMove(QCustomPlot* Sender, QMouseEvent* AEvent) {
    if (Sender->plottableCount() == 0)
        return;
    TReadout Readout = NoPointReadout();
    if (const auto Hit = SeriesPointAt(*Sender, AEvent->position());
        Hit && Hit->Series->interface1D()) {
        const QCPPlottableInterface1D& Data = *Hit->Series->interface1D();
        Readout = PointReadout(Data.dataMainKey(Hit->Index), Data.dataMainValue(Hit->Index));
    }
    FStatus.SetText(0, Readout.X);
    FStatus.SetText(1, Readout.Y);
}

void TChartsPanel::tcCurveMouseDown(QCustomPlot* Sender, QMouseEvent* AEvent) {
    // Only a left press on the empty plot area hides the markers; a press on a
    // series, an axis or outside the plot hides nothing.
    if (AEvent->button() != Qt::LeftButton || !OnEmptyPlotArea(*Sender, AEvent->position()))
        return;
    for (int i = 0; i < Sender->graphCount(); ++i)
        ShowPointMarkers(*Sender->graph(i), false);
    Sender->replot();
}

void TChartsPanel::tcCurveClickSeries(QCustomPlot* Sender, QCPAbstractPlottable* Series,
                                      QMouseEvent* AEvent) {
    auto* Line = qobject_cast<QCPGraph*>(Series);
    if (AEvent->button() != Qt::LeftButton || !Line)
        return;
    ShowPointMarkers(*Line, true);
    Sender->replot();
}
