// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/ChartsPanel.h"

#include "analysis/Decibels.h"
#include "analysis/Readout.h"
#include "analysis/Recalculation.h"
#include "ui/charts/ChartHitTest.h"
#include "ui/charts/ChartLook.h"
#include "ui/charts/ChartNavigator.h"
#include "ui/charts/SpectrumBars.h"
#include "ui/pictures/ChartPicture.h"
#include "ui/window/CommandGuard.h"
#include "ui/window/StatusPanels.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>

#include <qcustomplot.h>

namespace {

constexpr int ChartPaneMinHeight = 201;
constexpr int CurveMinHeight = 30;
// A press and a release closer than this make a click.
constexpr int ClickTolerance = 3;
const QString DecibelsKey = QStringLiteral("spectrum/decibels");
const QString LogFrequencyKey = QStringLiteral("spectrum/logFrequency");

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
    const QSettings Remembered;
    FDecibels = Remembered.value(DecibelsKey, false).toBool();
    FLogFrequency = Remembered.value(LogFrequencyKey, false).toBool();
    for (QCustomPlot* Chart : {tcCurve, tcSpectrum}) {
        new TChartNavigator(*Chart); // owned by the chart
        CreateContextMenu(*Chart);
    }
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

void TChartsPanel::CreateContextMenu(QCustomPlot& AChart) {
    // Owned by the chart; shown with popup, so that nothing waits for it.
    auto* Menu = new QMenu(&AChart);
    Menu->setObjectName(AChart.objectName() + QStringLiteral("Menu"));
    const auto Add = [this, Menu](const QString& ACaption, const std::function<void()>& ACommand) {
        QAction* Action = Menu->addAction(ACaption);
        connect(Action, &QAction::triggered, this, [this, ACommand] { FGuard.Run(ACommand); });
        return Action;
    };
    QCustomPlot* Chart = &AChart;
    Add(QStringLiteral("Показать всё"), [this, Chart] { ShowAll(*Chart); });
    Add(QStringLiteral("Копировать рисунок"), [this, Chart] { CopyPicture(*Chart); });
    Menu->addSeparator();
    Add(QStringLiteral("Сохранить рисунок..."),
        [this, Chart] { emit SavePictureRequested(Chart); });
    Add(QStringLiteral("Сохранить как текст..."), [this, Chart] { emit SaveTextRequested(Chart); });
    if (Chart == tcSpectrum) {
        Menu->addSeparator();
        acDecibels = Add(QStringLiteral("Амплитуда в дБ"), [this] { SetDecibels(!FDecibels); });
        acDecibels->setCheckable(true);
        acDecibels->setChecked(FDecibels);
        acLogFrequency = Add(QStringLiteral("Логарифмическая шкала частот"),
                             [this] { SetLogFrequency(!FLogFrequency); });
        acLogFrequency->setCheckable(true);
        acLogFrequency->setChecked(FLogFrequency);
    }
    AChart.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&AChart, &QWidget::customContextMenuRequested, Menu,
            [Menu, Chart](const QPoint& APos) { Menu->popup(Chart->mapToGlobal(APos)); });
}

void TChartsPanel::ShowResults(const TCalcResult& AResult, double ALineSpacing) {
    ShowCurve(*tcCurve, AResult.CurveTime, AResult.CurveValue);
    FFrequency.assign(AResult.SpectrumFrequency.begin(), AResult.SpectrumFrequency.end());
    FMagnitude.assign(AResult.SpectrumMagnitude.begin(), AResult.SpectrumMagnitude.end());
    FLineSpacing = ALineSpacing;
    ShowSpectrumView();
}

void TChartsPanel::ShowSpectrumView() {
    SetLogarithmicKeys(*tcSpectrum, FLogFrequency);
    if (FDecibels)
        ShowSpectrum(*tcSpectrum, FFrequency, MagnitudesInDecibels(FMagnitude), FLineSpacing,
                     DecibelFloor(FMagnitude));
    else
        ShowSpectrum(*tcSpectrum, FFrequency, FMagnitude, FLineSpacing);
}

TSeriesPoints TChartsPanel::DataPoints(QCustomPlot& AChart) const {
    if (&AChart == tcSpectrum && AChart.plottableCount() > 0)
        return {FFrequency, FMagnitude};
    return FirstSeriesPoints(AChart);
}

void TChartsPanel::ShowAll(QCustomPlot& AChart) {
    FitAxesToData(AChart);
    AChart.replot();
}

void TChartsPanel::CopyPicture(QCustomPlot& AChart) {
    if (AChart.plottableCount() == 0)
        return;
    auto Data = std::make_unique<QMimeData>();
    Data->setImageData(
        QImage::fromData(RenderChartPicture(AChart, TPictureFormat::Png, AChart.size())));
    Data->setData(QStringLiteral("image/svg+xml"),
                  RenderChartPicture(AChart, TPictureFormat::Svg, AChart.size()));
    QApplication::clipboard()->setMimeData(Data.release()); // the clipboard takes it
}

void TChartsPanel::SetDecibels(bool AValue) {
    FDecibels = AValue;
    acDecibels->setChecked(AValue);
    QSettings().setValue(DecibelsKey, AValue);
    auto* Bars = tcSpectrum->plottableCount() > 0
                     ? dynamic_cast<TSpectrumBars*>(tcSpectrum->plottable(0))
                     : nullptr;
    if (!Bars)
        return;
    if (FDecibels)
        SetBarValues(*Bars, MagnitudesInDecibels(FMagnitude), DecibelFloor(FMagnitude));
    else
        SetBarValues(*Bars, FMagnitude, 0);
    // The frequencies looked at stay; the magnitude axis fits the new units.
    const QCPRange Keys = tcSpectrum->xAxis->range();
    FitAxesToData(*tcSpectrum);
    tcSpectrum->xAxis->setRange(Keys);
    tcSpectrum->xAxis2->setRange(Keys);
    tcSpectrum->replot();
}

void TChartsPanel::SetLogFrequency(bool AValue) {
    FLogFrequency = AValue;
    acLogFrequency->setChecked(AValue);
    QSettings().setValue(LogFrequencyKey, AValue);
    if (tcSpectrum->plottableCount() == 0)
        SetLogarithmicKeys(*tcSpectrum, AValue);
    else
        ShowSpectrumView();
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

// The meta-object code of the class, compiled with this source.
#include "moc_ChartsPanel.cpp"
