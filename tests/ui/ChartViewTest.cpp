// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UiTestMain.h"
#include "WindowFixture.h"
#include "ui/charts/ChartLook.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <qcustomplot.h>

#include <cmath>

namespace {

void Wheel(QCustomPlot& AChart, const QPointF& APos, int ANotches,
           Qt::KeyboardModifiers AModifiers = Qt::NoModifier) {
    QWheelEvent Event(APos, AChart.mapToGlobal(APos), QPoint(), QPoint(0, 120 * ANotches),
                      Qt::NoButton, AModifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&AChart, &Event);
}

void Mouse(QCustomPlot& AChart, QEvent::Type AType, Qt::MouseButton AButton, const QPointF& APos) {
    QMouseEvent Event(AType, APos, AChart.mapToGlobal(APos), AButton,
                      AType == QEvent::MouseButtonRelease ? Qt::NoButton : AButton, Qt::NoModifier);
    QApplication::sendEvent(&AChart, &Event);
}

QAction& MenuItem(const TWindowFixture& F, const char* AMenu, const QString& ACaption) {
    for (QAction* Action : F.Find<QMenu>(AMenu).actions())
        if (Action->text() == ACaption)
            return *Action;
    qFatal("no menu item");
}

} // namespace

class TChartViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::c()));
        QStandardPaths::setTestModeEnabled(true);
    }
    void init() { QSettings().clear(); }
    void cleanup() { QSettings().clear(); }

    void wheelZoomsAroundThePointerAndShowAllRestores() {
        TWindowFixture F;
        F.Find<QAction>("acRefresh").trigger();
        QCustomPlot& Spectrum = F.Find<QCustomPlot>("tcSpectrum");
        const QCPRange Full = Spectrum.xAxis->range();
        const QCPRange FullY = Spectrum.yAxis->range();
        const QPointF At(Spectrum.axisRect()->left() + 100, Spectrum.axisRect()->center().y());
        const double Under = Spectrum.xAxis->pixelToCoord(At.x());

        Wheel(Spectrum, At, 2);
        QVERIFY(std::abs(Spectrum.xAxis->range().size() - Full.size() * 0.64) < 1e-9);
        QVERIFY(std::abs(Spectrum.xAxis->pixelToCoord(At.x()) - Under) < 1e-9);
        QCOMPARE(Spectrum.yAxis->range(), FullY);
        Wheel(Spectrum, At, 1, Qt::ControlModifier);
        QVERIFY(Spectrum.yAxis->range().size() < FullY.size());
        QCOMPARE(Spectrum.xAxis2->range(), Spectrum.xAxis->range());

        MenuItem(F, "tcSpectrumMenu", "Показать всё").trigger();
        for (auto [Shown, Fresh] : {std::pair{Spectrum.xAxis->range(), Full},
                                    std::pair{Spectrum.yAxis->range(), FullY}}) {
            QVERIFY(std::abs(Shown.lower - Fresh.lower) < 1e-9 * Fresh.size());
            QVERIFY(std::abs(Shown.upper - Fresh.upper) < 1e-9 * Fresh.size());
        }
    }

    void middleButtonPansAndLeftButtonStillShowsMarkers() {
        TWindowFixture F;
        F.Find<QAction>("acRefresh").trigger();
        QCustomPlot& Curve = F.Find<QCustomPlot>("tcCurve");
        Wheel(Curve, Curve.axisRect()->center(), 3);
        const QPointF From = Curve.axisRect()->center();
        const double Under = Curve.xAxis->pixelToCoord(From.x());
        Mouse(Curve, QEvent::MouseButtonPress, Qt::MiddleButton, From);
        Mouse(Curve, QEvent::MouseMove, Qt::MiddleButton, From + QPointF(40, 0));
        Mouse(Curve, QEvent::MouseButtonRelease, Qt::MiddleButton, From + QPointF(40, 0));
        QVERIFY(std::abs(Curve.xAxis->pixelToCoord(From.x() + 40) - Under) < 1e-9);

        // While zoomed, a left click on the line shows the markers, on the plot hides them.
        Curve.replot();
        QCPGraph& Line = *Curve.graph(0);
        const auto Visible = Curve.xAxis->range();
        int Index = 0;
        while (!Visible.contains(Line.data()->at(Index)->key))
            ++Index;
        const QPoint OnLine(Curve.xAxis->coordToPixel(Line.data()->at(Index)->key),
                            Curve.yAxis->coordToPixel(Line.data()->at(Index)->value));
        QTest::mouseClick(&Curve, Qt::LeftButton, {}, OnLine);
        QCOMPARE(Line.scatterStyle().shape(), QCPScatterStyle::ssCircle);
        QTest::mouseClick(&Curve, Qt::LeftButton, {},
                          QPoint(OnLine.x(), Curve.axisRect()->top() + 3));
        QCOMPARE(Line.scatterStyle().shape(), QCPScatterStyle::ssNone);
    }

    // Every tick label shows its tick exactly, down to magnitudes below the last decimal.
    void tickLabelsShowTheirTicksExactly() {
        QCustomPlot Chart;
        SetupChart(Chart);
        for (const QCPRange Range : {QCPRange(0, 1.3e-6), QCPRange(-4e-8, 4e-8), QCPRange(0, 13)}) {
            QVector<double> Ticks;
            QVector<QString> Labels;
            Chart.yAxis->ticker()->generate(Range, QLocale::c(), 'g', 6, Ticks, nullptr, &Labels);
            QVERIFY(!Ticks.isEmpty());
            for (qsizetype i = 0; i < Ticks.size(); ++i)
                QVERIFY2(std::abs(Labels[i].toDouble() - Ticks[i]) < 1e-12, qPrintable(Labels[i]));
        }
    }

    void decibelsInTheReadoutButLinearTextAndRemembered() {
        QTemporaryDir Dir;
        QByteArray Linear, InDecibels;
        {
            TWindowFixture F;
            F.Find<QAction>("acRefresh").trigger();
            F.Platform.FileAnswers = {Dir.filePath("lin.txt"), Dir.filePath("db.txt")};
            F.Find<QAction>("pmSaveSpectrumToTxt").trigger();
            MenuItem(F, "tcSpectrumMenu", "Амплитуда в дБ").trigger();
            F.Find<QAction>("pmSaveSpectrumToTxt").trigger();
            QCustomPlot& Spectrum = F.Find<QCustomPlot>("tcSpectrum");
            auto* Bars = qobject_cast<QCPBars*>(Spectrum.plottable(0));
            // 20 log10 of the 50 Hz magnitude, and bars rising from the floor.
            QVERIFY(std::abs(Bars->interface1D()->dataMainValue(50) - 20 * std::log10(0.0171779)) <
                    1e-4);
            QVERIFY(Bars->baseValue() < -150);
            const QPointF At(
                Spectrum.xAxis->coordToPixel(50),
                Spectrum.yAxis->coordToPixel(Bars->interface1D()->dataMainValue(50) - 5));
            QMouseEvent Move(QEvent::MouseMove, At, Spectrum.mapToGlobal(At), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&Spectrum, &Move);
            QCOMPARE(F.Window->StatusPanelText(0), QStringLiteral("50.0"));
            QVERIFY(F.Window->StatusPanelText(1).startsWith(QStringLiteral("-35.")));
            MenuItem(F, "tcSpectrumMenu", "Логарифмическая шкала частот").trigger();
            QCOMPARE(Spectrum.xAxis->scaleType(), QCPAxis::stLogarithmic);
            QVERIFY(Spectrum.xAxis->range().lower > 0);
        }
        QFile Lin(Dir.filePath("lin.txt")), Db(Dir.filePath("db.txt"));
        QVERIFY(Lin.open(QIODevice::ReadOnly) && Db.open(QIODevice::ReadOnly));
        QCOMPARE(Db.readAll(), Lin.readAll());

        // A new run of the program shows the spectrum as it was left.
        TWindowFixture F;
        QVERIFY(MenuItem(F, "tcSpectrumMenu", "Амплитуда в дБ").isChecked());
        QVERIFY(MenuItem(F, "tcSpectrumMenu", "Логарифмическая шкала частот").isChecked());
        F.Find<QAction>("acRefresh").trigger();
        QVERIFY(F.Find<QCustomPlot>("tcSpectrum").plottable(0)->interface1D()->dataMainValue(50) <
                0);
        QVERIFY(!MenuItem(F, "tcCurveMenu", "Показать всё").isCheckable());
    }
};

VIBRONA_UI_TEST(ChartViewTest, TChartViewTest)
#include "ChartViewTest.moc"
