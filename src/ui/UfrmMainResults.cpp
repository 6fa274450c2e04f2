// Recalculation in the window: the run, the two chart series, the mouse readout,
// the curve's point markers and the list of characteristic samples.
#include "ui/UfrmMain.h"

#include "analysis/CharacteristicSamples.h"
#include "analysis/Recalculation.h"
#include "ui/ChartSetup.h"
#include "ui/CountListModel.h"
#include "ui/DrawGrid.h"
#include "ui/SpectrumBars.h"
#include "ui/SpectrumListDelegate.h"
#include "util/NumberFormat.h"

#include <QApplication>
#include <QListView>
#include <QPainter>

#include <qcustomplot.h>

namespace {

const QColor CurveColor(255, 0, 0);
const QColor SpectrumColor(0, 0, 255);
const QColor StrongestRowColor(255, 255, 192);
const QColor PeakRowColor(255, 200, 240);
constexpr int StrongestRows = 5;

QCPScatterStyle CurveMarkers(const QColor& AColor) {
    return QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::black), QBrush(AColor), 3);
}

// The hourglass for the length of a run, however the run ends.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// The index of the data point of APlottable under APos, or -1: the chart's own hit test.
int PointIndexAt(const QCPAbstractPlottable& APlottable, const QPointF& APos) {
    QVariant Details;
    const double Distance = APlottable.selectTest(APos, false, &Details);
    if (Distance < 0 || Distance >= APlottable.parentPlot()->selectionTolerance())
        return -1;
    const auto Selection = Details.value<QCPDataSelection>();
    return Selection.isEmpty() ? -1 : Selection.dataRange(0).begin();
}

bool OnAnySeries(QCustomPlot& AChart, const QPointF& APos) {
    for (int i = 0; i < AChart.plottableCount(); ++i)
        if (PointIndexAt(*AChart.plottable(i), APos) >= 0)
            return true;
    return false;
}

} // namespace

void TfrmMain::ConnectResultHandlers() {
    for (QCustomPlot* Chart : {tcCurve, tcSpectrum}) {
        Chart->setMouseTracking(true);
        connect(Chart, &QCustomPlot::mouseMove, this, [this, Chart](QMouseEvent* AEvent) {
            RunCommand([&] { tcCurveMouseMove(Chart, AEvent); });
        });
    }
    // A click on a series is a press and a release at the same place over it; the
    // chart's own click detection also answers for axes and the frame.
    connect(tcCurve, &QCustomPlot::mousePress, this, [this](QMouseEvent* AEvent) {
        FCurvePress = AEvent->position();
        RunCommand([&] { tcCurveMouseDown(tcCurve, AEvent); });
    });
    connect(tcCurve, &QCustomPlot::mouseRelease, this, [this](QMouseEvent* AEvent) {
        if ((AEvent->position() - FCurvePress).manhattanLength() > 3)
            return;
        for (int i = 0; i < tcCurve->plottableCount(); ++i) {
            QCPAbstractPlottable* Series = tcCurve->plottable(i);
            const int Index = PointIndexAt(*Series, FCurvePress);
            if (Index >= 0) {
                RunCommand([&] { tcCurveClickSeries(tcCurve, Series, Index, AEvent); });
                return;
            }
        }
    });
    lbSpectrum->setItemDelegate(
        new TOwnerDrawDelegate(lbSpectrum, [this](QPainter& ACanvas, int AIndex, const QRect& ARect,
                                                  const QStyleOptionViewItem& AState) {
            lbSpectrumDrawItem(ACanvas, AIndex, ARect, AState);
        }));
}

void TfrmMain::Recalculate() {
    // Text typed into the current rows of the editors counts, as if the rows were left.
    ValidateEditedSettings();
    // An invalid signal ends the run here, before anything of the results changes.
    CheckSignals(*FSignals);

    const TWaitCursor Wait;
    dgSignalsParams->viewport()->update();
    lbSpectrumItems->SetCount(0);
    FSpectrum->Clear();

    const TCalcResult Result = ComputeResults(*FSignals, CalcSettings, FDftWorkspace.get());

    QCPGraph* Curve = AddLineSeries(tcCurve, true, 1, CurveColor);
    QVector<QCPGraphData> CurvePoints(static_cast<qsizetype>(Result.CurveTime.size()));
    for (qsizetype i = 0; i < CurvePoints.size(); ++i)
        CurvePoints[i] = QCPGraphData(Result.CurveTime[i], Result.CurveValue[i]);
    Curve->data()->set(CurvePoints, true);

    TSpectrumBars* Spectrum = AddBarSeries(tcSpectrum, true, SpectrumColor);
    QVector<QCPBarsData> SpectrumPoints(static_cast<qsizetype>(Result.SpectrumFrequency.size()));
    for (qsizetype k = 0; k < SpectrumPoints.size(); ++k)
        SpectrumPoints[k] = QCPBarsData(Result.SpectrumFrequency[k], Result.SpectrumMagnitude[k]);
    Spectrum->data()->set(SpectrumPoints, true);
    // Each bar takes 15 % of the room between two spectrum lines.
    const double Spacing = SpectrumPoints.size() > 1 ? SpectrumPoints[1].key - SpectrumPoints[0].key
                                                     : 1.0 / (CalcSettings.N * CalcSettings.dt);
    Spectrum->setWidth(0.15 * Spacing);

    FillSpectrum(*FSpectrum, Result.Characteristic);
    lbSpectrumItems->SetCount(FSpectrum->Count());
    lbSpectrum->viewport()->update();

    for (QCustomPlot* Chart : {tcCurve, tcSpectrum}) {
        FitAxesToData(*Chart);
        Chart->replot();
    }
}

QCPGraph* TfrmMain::AddLineSeries(QCustomPlot* AChart, bool ARemoveFirst, int AWidth,
                                  const QColor& AColor) {
    if (ARemoveFirst)
        AChart->clearPlottables();
    auto* Series = new QCPGraph(AChart->xAxis, AChart->yAxis);
    // The markers exist from the start but stay hidden until the curve is clicked.
    Series->setScatterStyle(QCPScatterStyle::ssNone);
    Series->setPen(QPen(AColor, AWidth));
    Series->setAdaptiveSampling(true);
    return Series;
}

TSpectrumBars* TfrmMain::AddBarSeries(QCustomPlot* AChart, bool ARemoveFirst,
                                      const QColor& AColor) {
    if (ARemoveFirst)
        AChart->clearPlottables();
    auto* Series = new TSpectrumBars(AChart->xAxis, AChart->yAxis);
    Series->setWidthType(QCPBars::wtPlotCoords);
    Series->setPen(Qt::NoPen);
    Series->setBrush(AColor);
    Series->setAntialiased(false);
    return Series;
}

void TfrmMain::tcCurveMouseMove(QCustomPlot* Sender, QMouseEvent* AEvent) {
    if (Sender->plottableCount() == 0)
        return;
    const QPointF Pos = AEvent->position();
    for (int i = 0; i < Sender->plottableCount(); ++i) {
        QCPAbstractPlottable& Series = *Sender->plottable(i);
        const int Index = PointIndexAt(Series, Pos);
        if (Index >= 0 && Series.interface1D()) {
            SetStatusPanelText(0,
                               FormatFloat(FloatFormat, Series.interface1D()->dataMainKey(Index)));
            SetStatusPanelText(
                1, FormatFloat(FloatFormat, Series.interface1D()->dataMainValue(Index)));
            return;
        }
    }
    SetStatusPanelText(0, QStringLiteral("0"));
    SetStatusPanelText(1, QStringLiteral("0"));
}

void TfrmMain::tcCurveMouseDown(QCustomPlot* Sender, QMouseEvent* AEvent) {
    const QPointF Pos = AEvent->position();
    // Only a left press on the empty plot area hides the markers; a press on a
    // series, an axis or outside the plot hides nothing.
    if (AEvent->button() != Qt::LeftButton || !Sender->axisRect()->rect().contains(Pos.toPoint()) ||
        OnAnySeries(*Sender, Pos))
        return;
    for (int i = 0; i < Sender->graphCount(); ++i)
        Sender->graph(i)->setScatterStyle(QCPScatterStyle::ssNone);
    Sender->replot();
}

void TfrmMain::tcCurveClickSeries(QCustomPlot* Sender, QCPAbstractPlottable* Series,
                                  int /*ValueIndex*/, QMouseEvent* AEvent) {
    auto* Line = qobject_cast<QCPGraph*>(Series);
    if (AEvent->button() != Qt::LeftButton || !Line)
        return;
    Line->setScatterStyle(CurveMarkers(CurveColor));
    Sender->replot();
}

void TfrmMain::lbSpectrumDrawItem(QPainter& ACanvas, int Index, const QRect& Rect,
                                  const QStyleOptionViewItem& State) {
    if (Index < 0 || Index >= FSpectrum->Count())
        return;
    const TSpectrumSample& Sample = (*FSpectrum)[Index];
    const bool Selected = State.state & QStyle::State_Selected;
    QColor Brush = State.palette.color(QPalette::Base);
    if (Selected) {
        Brush = State.palette.color(QPalette::Highlight);
    } else {
        if (Index < StrongestRows)
            Brush = StrongestRowColor;
        if (Sample.Peak())
            Brush = PeakRowColor;
    }
    ACanvas.fillRect(Rect, Brush);
    ACanvas.setPen(State.palette.color(Selected ? QPalette::HighlightedText : QPalette::Text));
    ACanvas.setFont(State.font);
    const int Flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    ACanvas.drawText(Rect, Flags, FormatFloat(ShortFloatFormat, Sample.Frequency()));
    QRect Magnitude = Rect;
    Magnitude.setLeft((Rect.right() + 1 - Rect.left()) / 2);
    ACanvas.drawText(Magnitude, Flags, FormatFloat(FloatFormat, Sample.Magnitude()));
    if (State.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect Focus;
        Focus.rect = Rect;
        Focus.state = State.state;
        Focus.backgroundColor = Brush;
        lbSpectrum->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &Focus, &ACanvas, lbSpectrum);
    }
}
