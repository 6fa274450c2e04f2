// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UiTestMain.h"
#include "WindowFixture.h"
#include "ui/charts/SpectrumBars.h"

#include <QDialog>
#include <QListView>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>

#include <qcustomplot.h>

#include <sched.h>

namespace {

// Ctrl+R from the desktop, as the keyboard sends it.
void PressCtrlR(TfrmMain& AWindow) {
    QWindow* Handle = AWindow.windowHandle();
    QTest::sendKeyEvent(QTest::Press, Handle, Qt::Key_R, QString(), Qt::ControlModifier);
    QTest::sendKeyEvent(QTest::Release, Handle, Qt::Key_R, QString(), Qt::ControlModifier);
}

void MoveMouse(QWidget& AWidget, const QPointF& APos) {
    QMouseEvent Move(QEvent::MouseMove, APos, AWidget.mapToGlobal(APos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&AWidget, &Move);
}

QPointF PixelOf(QCustomPlot& AChart, double AKey, double AValue) {
    return {AChart.xAxis->coordToPixel(AKey), AChart.yAxis->coordToPixel(AValue)};
}

// The colour a list row is filled with, taken at its right end where no text is.
QColor RowColour(QListView& AList, int ARow) {
    const QImage Image = AList.viewport()->grab().toImage();
    const QRect Rect = AList.visualRect(AList.model()->index(ARow, 0));
    return Image.pixelColor(Rect.right() - 2, Rect.center().y());
}

} // namespace

class TRecalculationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::c())); }

    void ctrlRWithDefaultsFillsBothChartsAndTheList() {
        TWindowFixture F;
        QCustomPlot& Curve = F.Find<QCustomPlot>("tcCurve");
        QCustomPlot& Spectrum = F.Find<QCustomPlot>("tcSpectrum");
        PressCtrlR(*F.Window);
        QCOMPARE(F.Platform.Messages.size(), 0u);

        QCOMPARE(Curve.plottableCount(), 1);
        const auto& Points = *Curve.graph(0)->data();
        QCOMPARE(Points.size(), 200);
        QCOMPARE(Points.at(0)->key, 0.0);
        QVERIFY(std::abs(Points.at(199)->key - 0.04975) < 1e-15);
        QVERIFY(std::abs(Points.at(0)->value - 1.0) < 1e-15);
        QCOMPARE(Curve.graph(0)->pen().color(), QColor(255, 0, 0));
        QCOMPARE(Curve.graph(0)->scatterStyle().shape(), QCPScatterStyle::ssNone);

        QCOMPARE(Spectrum.plottableCount(), 1);
        auto* Bars = qobject_cast<QCPBars*>(Spectrum.plottable(0));
        QVERIFY(Bars);
        QCOMPARE(Bars->data()->size(), 200);
        for (int k = 0; k < 200; ++k)
            QVERIFY(std::abs(Bars->data()->at(k)->key - k) < 1e-9);
        QCOMPARE(Bars->brush().color(), QColor(0, 0, 255));
        QCOMPARE(Bars->pen().style(), Qt::NoPen);

        // The derived values of the signal now show in the grid's model.
        QVERIFY(F.Window->Signals()[0].W() > 314);
        QCOMPARE(F.Window->Spectrum().Count(), 12);
        QCOMPARE(F.Find<QListView>("lbSpectrum").model()->rowCount(), 12);
        QVERIFY(Curve.xAxis->range().contains(0.04975));
    }

    void ctrlRWorksWithARussianKeyboardLayout() {
        TWindowFixture F;
        QWindow* Handle = F.Window->windowHandle();
        const auto Ka = static_cast<Qt::Key>(0x041A);
        QTest::sendKeyEvent(QTest::Press, Handle, Ka, QStringLiteral("к"), Qt::ControlModifier);
        QTest::sendKeyEvent(QTest::Release, Handle, Ka, QStringLiteral("к"), Qt::ControlModifier);
        QCOMPARE(F.Find<QCustomPlot>("tcCurve").plottableCount(), 1);
    }

    void runsReplaceTheSeries() {
        TWindowFixture F;
        PressCtrlR(*F.Window);
        F.Find<QAction>("acRefresh").trigger();
        QCOMPARE(F.Find<QCustomPlot>("tcCurve").plottableCount(), 1);
        QCOMPARE(F.Find<QCustomPlot>("tcSpectrum").plottableCount(), 1);
        QCOMPARE(F.Find<QListView>("lbSpectrum").model()->rowCount(), 12);
    }

    void invalidSignalLeavesThePreviousResults() {
        TWindowFixture F;
        PressCtrlR(*F.Window);
        QCustomPlot& Curve = F.Find<QCustomPlot>("tcCurve");
        QCPGraph* Before = Curve.graph(0);

        F.Platform.InputAnswers.push_back({"3"});
        F.Find<QAction>("miLeftSaw").trigger();
        QCOMPARE(F.Window->Signals().Count(), 3);
        // F of signal 2 typed as 0.
        TDrawGrid& Grid = F.Grid();
        ClickGridCell(Grid, 3, 4);
        QTest::keyClick(Grid.viewport(), Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        TypeText(QStringLiteral("0"));
        PressKey(Qt::Key_Return);
        QCOMPARE(F.Window->Signals()[2].Frequency(), 0.0);

        PressCtrlR(*F.Window);
        QCOMPARE(F.Platform.Messages.size(), 1u);
        QCOMPARE(F.Platform.Messages[0].Text,
                 QStringLiteral("Ошибка значения частоты свободных колебаний (F) в сигнале [2]!"));
        QCOMPARE(F.Platform.Messages[0].Caption, QStringLiteral("Vibrona"));
        QCOMPARE(Curve.graph(0), Before);
        QCOMPARE(Curve.graph(0)->data()->size(), 200);
        QCOMPARE(F.Window->Spectrum().Count(), 12);
        QCOMPARE(F.Find<QListView>("lbSpectrum").model()->rowCount(), 12);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void resultsBeyondTheRangeLeaveThePreviousResults() {
        TWindowFixture F;
        PressCtrlR(*F.Window);
        QCustomPlot& Curve = F.Find<QCustomPlot>("tcCurve");
        QCPGraph* Before = Curve.graph(0);
        EnterSetting(F.CmnParams(), "dt", "1e306"); // the 200th time overflows
        PressCtrlR(*F.Window);
        QCOMPARE(F.Platform.Messages.size(), 1u);
        QCOMPARE(F.Platform.Messages[0].Text,
                 QStringLiteral("Время кривой выходит за пределы диапазона чисел: уменьшите "
                                "период дискретизации (dt) или количество отсчетов сигнала (M)!"));
        QCOMPARE(Curve.graph(0), Before);
        QCOMPARE(Curve.graph(0)->data()->size(), 200);
        QCOMPARE(F.Find<QListView>("lbSpectrum").model()->rowCount(), 12);
    }

    void textTypedInTheCurrentEditorRowTakesEffect() {
        TWindowFixture F;
        TValueListEditor& Editor = F.CmnParams();
        const QModelIndex Value =
            Editor.model()->index(Editor.RowOfKey(QStringLiteral("M")) - 1, 1);
        QTest::mouseClick(Editor.viewport(), Qt::LeftButton, {}, Editor.visualRect(Value).center());
        auto* Line = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(Line);
        Line->selectAll();
        QTest::keyClick(Line, Qt::Key_Delete);
        TypeText(QStringLiteral("10"));
        PressCtrlR(*F.Window);
        // Out of its limit, so corrected and shown corrected.
        QCOMPARE(F.CalcSettings().M, 16);
        QCOMPARE(F.Find<QCustomPlot>("tcCurve").graph(0)->data()->size(), 16);
        QCOMPARE(Editor.Values(QStringLiteral("M")), QStringLiteral("16"));
    }

    void listRowsAreColouredByKind() {
        TWindowFixture F;
        F.Window->resize(833, 900);
        PressCtrlR(*F.Window);
        QListView& List = F.Find<QListView>("lbSpectrum");
        List.clearSelection();
        List.setCurrentIndex(QModelIndex());
        // The strongest sample is also a peak: listed first unmarked and again marked.
        QCOMPARE(F.Window->Spectrum()[0].Frequency(), 50.0);
        QVERIFY(!F.Window->Spectrum()[0].Peak());
        QVERIFY(F.Window->Spectrum()[6].Peak());
        QCOMPARE(F.Window->Spectrum()[6].Frequency(), 50.0);
        for (int Row = 0; Row < 5; ++Row)
            QCOMPARE(RowColour(List, Row), QColor(255, 255, 192));
        for (int Row = 5; Row < 12; ++Row)
            QCOMPARE(RowColour(List, Row), QColor(255, 200, 240));
        List.setCurrentIndex(List.model()->index(6, 0));
        QCOMPARE(RowColour(List, 6), List.palette().color(QPalette::Highlight));
    }

    void listRowsNeverScrollSideways() {
        TWindowFixture F;
        F.Platform.InputAnswers.push_back({"60"});
        F.Find<QAction>("miMeander").trigger();
        EnterSetting(F.DftParams(), "K", "2000");
        PressCtrlR(*F.Window);
        QListView& List = F.Find<QListView>("lbSpectrum");
        QVERIFY(List.model()->rowCount() > 40);
        QTRY_VERIFY(List.verticalScrollBar()->isVisible());
        QVERIFY(!List.horizontalScrollBar()->isVisible());
        QCOMPARE(List.horizontalScrollBar()->maximum(), 0);
        QCOMPARE(List.visualRect(List.model()->index(0, 0)).width(), List.viewport()->width());
    }

    void barsAreFifteenPercentOfTheLineSpacing() {
        TWindowFixture F;
        PressCtrlR(*F.Window);
        auto* Bars = qobject_cast<QCPBars*>(F.Find<QCustomPlot>("tcSpectrum").plottable(0));
        QVERIFY(Bars);
        // 1 / (N dt) = 1 / (4000 * 0.00025) = 1 Hz between lines.
        QVERIFY(std::abs(Bars->width() - 0.15) < 1e-12);
        QCOMPARE(Bars->widthType(), QCPBars::wtPlotCoords);
    }

    void aLongRunCanBeCancelledAndLeavesNoTrace() {
        // On one CPU, as taskset -c 0 would: the estimate, and so the progress window,
        // does not depend on the machine's cores.
        cpu_set_t All, One;
        QCOMPARE(sched_getaffinity(0, sizeof All, &All), 0);
        CPU_ZERO(&One);
        for (int c = 0; c < CPU_SETSIZE; ++c)
            if (CPU_ISSET(c, &All)) {
                CPU_SET(c, &One);
                break;
            }
        QCOMPARE(sched_setaffinity(0, sizeof One, &One), 0);
        const auto Restore = qScopeGuard([&] { sched_setaffinity(0, sizeof All, &All); });
        TWindowFixture F;
        PressCtrlR(*F.Window);
        QCPAbstractPlottable* Before = F.Find<QCustomPlot>("tcCurve").plottable(0);
        // A new frequency would change the derived values, were the run not cancelled.
        ClickGridCell(F.Grid(), 1, 4);
        TypeText("60");
        PressKey(Qt::Key_Return);
        QCOMPARE(F.Window->Signals()[0].Frequency(), 60.0);
        EnterSetting(F.DftParams(), "N", "1073741824");
        EnterSetting(F.DftParams(), "K", "16777216");
        // M typed but not yet taken over: the run takes it over, the cancel gives it back.
        TValueListEditor& Cmn = F.CmnParams();
        QTest::mouseClick(Cmn.viewport(), Qt::LeftButton, {},
                          Cmn.visualRect(Cmn.model()->index(1, 1)).center());
        auto* Line = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(Line);
        Line->selectAll();
        TypeText("1048576");
        const TSignal Signal = F.Window->Signals()[0];

        bool Shown = false;
        QTimer Escape;
        QObject::connect(&Escape, &QTimer::timeout, [&] {
            auto* Progress = F.Window->findChild<QDialog*>("dlgProgress");
            if (Progress && Progress->isVisible()) {
                Shown = true;
                QTest::keyClick(Progress, Qt::Key_Escape);
            }
        });
        Escape.start(20);
        PressCtrlR(*F.Window);
        Escape.stop();

        QVERIFY(Shown);
        QVERIFY(F.Platform.Messages.empty());
        QCOMPARE(F.Find<QCustomPlot>("tcCurve").plottable(0), Before);
        QCOMPARE(F.Window->Spectrum().Count(), 12);
        QCOMPARE(F.CalcSettings().M, 200);
        QCOMPARE(F.CalcSettings().N, 1073741824);
        QCOMPARE(F.Window->Signals()[0].Fi(), Signal.Fi());
        QCOMPARE(F.Window->Signals()[0].W(), Signal.W());
        QCOMPARE(F.Window->Signals()[0].Frequency(), 60.0);
        QVERIFY(std::abs(Signal.W() - 2 * M_PI * 50) < 1e-9);
    }

    void readoutOverABarAndOverEmptyPlot() {
        TWindowFixture F;
        QCustomPlot& Spectrum = F.Find<QCustomPlot>("tcSpectrum");
        MoveMouse(Spectrum, QPointF(50, 50));
        QCOMPARE(F.Window->StatusPanelText(0), QString()); // no series yet: nothing changes
        PressCtrlR(*F.Window);
        const auto Bar = Spectrum.plottable(0)->interface1D();
        MoveMouse(Spectrum, PixelOf(Spectrum, Bar->dataMainKey(50), Bar->dataMainValue(50) / 2));
        QCOMPARE(F.Window->StatusPanelText(0), QStringLiteral("50.0"));
        QCOMPARE(F.Window->StatusPanelText(1), QStringLiteral("0.0171779"));
        // High above the bars, inside the plot: no point.
        MoveMouse(Spectrum, PixelOf(Spectrum, 120.3, Bar->dataMainValue(50)));
        QCOMPARE(F.Window->StatusPanelText(0), QStringLiteral("0"));
        QCOMPARE(F.Window->StatusPanelText(1), QStringLiteral("0"));
    }

    void markersShownByALeftClickOnTheCurveAndHiddenOnThePlotArea() {
        TWindowFixture F;
        PressCtrlR(*F.Window);
        QCustomPlot& Curve = F.Find<QCustomPlot>("tcCurve");
        QCPGraph& Line = *Curve.graph(0);
        const QPoint OnLine =
            PixelOf(Curve, Line.data()->at(40)->key, Line.data()->at(40)->value).toPoint();
        const QPoint Empty = PixelOf(Curve, 0.03, 0.9).toPoint();

        QTest::mouseClick(&Curve, Qt::RightButton, {}, OnLine);
        QCOMPARE(Line.scatterStyle().shape(), QCPScatterStyle::ssNone);
        QTest::mouseClick(&Curve, Qt::LeftButton, {}, OnLine);
        QCOMPARE(Line.scatterStyle().shape(), QCPScatterStyle::ssCircle);
        QCOMPARE(Line.scatterStyle().size(), 3.0);
        QCOMPARE(Line.scatterStyle().brush().color(), QColor(255, 0, 0));
        // A press on the axis labels hides nothing; a press on the empty plot does.
        QTest::mouseClick(&Curve, Qt::LeftButton, {}, QPoint(OnLine.x(), Curve.height() - 3));
        QCOMPARE(Line.scatterStyle().shape(), QCPScatterStyle::ssCircle);
        QTest::mouseClick(&Curve, Qt::RightButton, {}, Empty);
        QCOMPARE(Line.scatterStyle().shape(), QCPScatterStyle::ssCircle);
        QTest::mouseClick(&Curve, Qt::LeftButton, {}, Empty);
        QCOMPARE(Line.scatterStyle().shape(), QCPScatterStyle::ssNone);
        // A new run brings a new series with its markers hidden.
        QTest::mouseClick(&Curve, Qt::LeftButton, {}, OnLine);
        PressCtrlR(*F.Window);
        QCOMPARE(Curve.graph(0)->scatterStyle().shape(), QCPScatterStyle::ssNone);
    }

    void thinBarsAreFoundUnderThePointer() {
        // Many more bars than pixels: the bar nearest the pointer still answers.
        TWindowFixture F;
        QCustomPlot& Spectrum = F.Find<QCustomPlot>("tcSpectrum");
        auto* Bars = new TSpectrumBars(Spectrum.xAxis, Spectrum.yAxis);
        QVector<QCPBarsData> Data;
        for (int k = 0; k < 100000; ++k)
            Data.append(QCPBarsData(k, k == 60000 ? 10.0 : 1.0));
        Bars->data()->set(Data, true);
        Bars->setWidth(0.15);
        Bars->setBrush(QColor(0, 0, 255));
        Bars->setPen(Qt::NoPen);
        Spectrum.rescaleAxes();
        Spectrum.replot();
        const QPointF Pos = PixelOf(Spectrum, 60000, 5);
        const int Index = Bars->BarAt(Pos);
        QVERIFY(Index >= 0);
        QVERIFY(std::abs(Bars->data()->at(Index)->key - 60000) < 100);
        QCOMPARE(Bars->BarAt(PixelOf(Spectrum, 30000, 9)), -1);
        // The tall bar is drawn although it is far thinner than a pixel.
        const QImage Image = Spectrum.toPixmap().toImage();
        QCOMPARE(Image.pixelColor(int(std::floor(Pos.x())), int(Pos.y())), QColor(0, 0, 255));
    }
};

VIBRONA_UI_TEST(RecalculationTest, TRecalculationTest)
#include "RecalculationTest.moc"
