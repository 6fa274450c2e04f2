// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PaintRecorder.h"
#include "UiTestMain.h"
#include "WindowFixture.h"

#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

TPaintRecord PaintedCell(TDrawGrid& AGrid, int ACol, int ARow) {
    return RecordPainting([&](QPainter& APainter) {
        if (ACol == 0 || ARow == 0)
            AGrid.PaintFixedCell(APainter, AGrid.CellRect(ACol, ARow), ACol, ARow);
        else
            AGrid.PaintCell(APainter, AGrid.CellRect(ACol, ARow), ACol, ARow);
    });
}

const QColor Cream(255, 251, 240);

// Opens a project of ACount default signals.
void OpenSignals(TWindowFixture& F, int ACount) {
    QTemporaryDir Dir;
    QFile File(Dir.filePath("many.vbf"));
    QVERIFY(File.open(QIODevice::WriteOnly));
    File.write("[General]\nSignalsCount=" + QByteArray::number(ACount) + "\n");
    File.close();
    F.Window->OpenProjectFile(File.fileName());
    QCOMPARE(F.Grid().ColCount(), ACount + 1);
}

} // namespace

class TSignalGridTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void clickOnActiveTogglesAndKeepsTheCurrentCell() {
        TWindowFixture F;
        TDrawGrid& Grid = F.Grid();
        ClickGridCell(Grid, 1, 1);
        QVERIFY(!F.Window->Signals()[0].Active());
        QCOMPARE(Grid.Row(), 2);
        QCOMPARE(PaintedCell(Grid, 1, 1).Texts, QStringList{QStringLiteral("Нет")});
        ClickGridCell(Grid, 1, 1);
        QVERIFY(F.Window->Signals()[0].Active());
        QCOMPARE(PaintedCell(Grid, 1, 1).Texts, QStringList{QStringLiteral("Да")});
        QCOMPARE(Grid.Col(), 1);
        QCOMPARE(Grid.Row(), 2);
    }

    void upKeyIntoActiveToggles() {
        TWindowFixture F;
        TDrawGrid& Grid = F.Grid();
        Grid.setFocus();
        PressKey(Qt::Key_Up);
        QVERIFY(!F.Window->Signals()[0].Active());
        QCOMPARE(Grid.Row(), 2);
        PressKey(Qt::Key_Up);
        QVERIFY(F.Window->Signals()[0].Active());
    }

    void refusedRowsStopArrowsAndClicks() {
        TWindowFixture F;
        TDrawGrid& Grid = F.Grid();
        ClickGridCell(Grid, 1, 4);
        QCOMPARE(Grid.Row(), 4);
        PressKey(Qt::Key_Down); // W is refused
        QCOMPARE(Grid.Row(), 4);
        ClickGridCell(Grid, 1, 6);
        PressKey(Qt::Key_Down); // Fd is refused
        QCOMPARE(Grid.Row(), 6);
        for (int Row : {5, 7, 8, 9}) {
            ClickGridCell(Grid, 1, Row);
            QCOMPARE(Grid.Row(), 6);
        }
        ClickGridCell(Grid, 1, 10);
        PressKey(Qt::Key_Down);
        QCOMPARE(Grid.Row(), 11);
        QVERIFY(F.Window->Signals()[0].Active());
    }

    void typingStoresAfterEveryKeystroke() {
        TWindowFixture F;
        TDrawGrid& Grid = F.Grid();
        const TSignal& Signal = F.Window->Signals()[0];
        Grid.setFocus();

        TypeText("2,5");
        QCOMPARE(Signal.Amplitude(), 2.5);
        PressKey(Qt::Key_Return);

        TypeText("7.25");
        QCOMPARE(Signal.Amplitude(), 7.25);
        PressKey(Qt::Key_Return);

        TypeText("abc");
        QCOMPARE(Signal.Amplitude(), 7.25);
        PressKey(Qt::Key_Escape);

        TypeText("1");
        QCOMPARE(Signal.Amplitude(), 1.0);
        TypeText("2");
        QCOMPARE(Signal.Amplitude(), 12.0);
        TypeText("x");
        QCOMPARE(Signal.Amplitude(), 12.0);
        PressKey(Qt::Key_Return);
        QCOMPARE(Signal.Amplitude(), 12.0);

        // The phase follows the same rules.
        ClickGridCell(Grid, 1, 10);
        TypeText("q");
        QCOMPARE(Signal.Fi(), 0.0);
        PressKey(Qt::Key_Return);
    }

    void typingRightAfterAClickOnTheCurrentCellReplacesIt() {
        TWindowFixture F;
        TDrawGrid& Grid = F.Grid();
        ClickGridCell(Grid, 1, 6);
        QCOMPARE(Grid.Row(), 6);
        // Click the current D cell and type at once, faster than a double click.
        ClickGridCell(Grid, 1, 6);
        TypeText("55");
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        auto* Editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(Editor);
        QCOMPARE(Editor->text(), QStringLiteral("55"));
        QCOMPARE(F.Window->Signals()[0].DF(), 55.0);
        PressKey(Qt::Key_Return);
        QCOMPARE(F.Window->Signals()[0].DF(), 55.0);
    }

    void everyPressOnActiveToggles() {
        TWindowFixture F;
        TDrawGrid& Grid = F.Grid();
        const QPoint Active = GridCellCentre(Grid, 1, 1);
        // A double click is a press, a release, a double-click press and a release.
        QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, Active);
        QVERIFY(!F.Window->Signals()[0].Active());
        QTest::mouseDClick(Grid.viewport(), Qt::LeftButton, {}, Active);
        QTest::mouseRelease(Grid.viewport(), Qt::LeftButton, {}, Active);
        QVERIFY(F.Window->Signals()[0].Active());
        QCOMPARE(Grid.Row(), 2);
    }

    void tooWideHeadersAreElided() {
        TWindowFixture F;
        TDrawGrid& Grid = F.Grid();
        const QRect Narrow =
            Grid.CellRect(1, 0).adjusted(0, 0, -(Grid.CellRect(1, 0).width() - 30), 0);
        const TPaintRecord Header =
            RecordPainting([&](QPainter& P) { Grid.PaintFixedCell(P, Narrow, 1, 0); });
        QCOMPARE(Header.Texts.size(), 1);
        QVERIFY(Header.Texts[0].endsWith(QChar(0x2026)));
        QVERIFY(QStringLiteral("Сигнал 0").startsWith(Header.Texts[0].chopped(1)));
    }

    void fourDigitSignalNumbersShowWhole() {
        TWindowFixture F;
        OpenSignals(F, 1001);
        QCOMPARE(PaintedCell(F.Grid(), 1000, 0).Texts, QStringList{QStringLiteral("Сигнал 999")});
        QCOMPARE(PaintedCell(F.Grid(), 1001, 0).Texts, QStringList{QStringLiteral("Сигнал 1000")});
    }

    void ctrlEndAndCtrlHomeShowTheirCell() {
        TWindowFixture F;
        OpenSignals(F, 40);
        TDrawGrid& Grid = F.Grid();
        Grid.setFocus();
        PressKey(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(Grid.Col(), 40);
        QCOMPARE(Grid.Row(), 11);
        QVERIFY(Grid.viewport()->rect().contains(GridCellCentre(Grid, 40, 11)));
        // The first cell is the Active one: the try switches it, the view goes there.
        PressKey(Qt::Key_Home, Qt::ControlModifier);
        QVERIFY(!F.Window->Signals()[0].Active());
        QCOMPARE(Grid.Col(), 40);
        QCOMPARE(Grid.horizontalScrollBar()->value(), 0);
        QCOMPARE(Grid.verticalScrollBar()->value(), 0);
    }

    void editStartsWithTheShownText() {
        TWindowFixture F;
        TDrawGrid& Grid = F.Grid();
        ClickGridCell(Grid, 1, 4);
        PressKey(Qt::Key_F2);
        auto* Editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(Editor);
        QCOMPARE(Editor->text(), QStringLiteral("50,0"));
        PressKey(Qt::Key_End);
        PressKey(Qt::Key_Backspace);
        PressKey(Qt::Key_Backspace);
        TypeText("5");
        QCOMPARE(F.Window->Signals()[0].Frequency(), 505.0);
    }

    void formulaCellIsEditableButIgnored() {
        TWindowFixture F;
        TDrawGrid& Grid = F.Grid();
        ClickGridCell(Grid, 1, 11);
        QCOMPARE(Grid.Row(), 11);
        const TSignal Before = F.Window->Signals()[0];
        TypeText("12");
        PressKey(Qt::Key_Return);
        const TSignal& After = F.Window->Signals()[0];
        QCOMPARE(After.Formula(), Before.Formula());
        QCOMPARE(After.Amplitude(), Before.Amplitude());
        QCOMPARE(After.Fi(), Before.Fi());
    }

    void cellsArePaintedFromTheSignals() {
        TWindowFixture F;
        TDrawGrid& Grid = F.Grid();

        const TPaintRecord Corner = PaintedCell(Grid, 0, 0);
        QCOMPARE(Corner.Texts, QStringList{QStringLiteral("Параметр")});
        QVERIFY(Corner.Bold.at(0));
        const TPaintRecord Label = PaintedCell(Grid, 0, 6);
        QCOMPARE(Label.Texts, QStringList{QStringLiteral("D")});
        QVERIFY(!Label.Bold.at(0));

        const TPaintRecord Derived = PaintedCell(Grid, 1, 5);
        QCOMPARE(Derived.Fills.back(), Cream);
        QCOMPARE(Derived.Texts, QStringList{QStringLiteral("0,0")});

        // The current cell keeps the selection colour without the focus.
        F.Find<TValueListEditor>("vleCmnParams").setFocus();
        const TPaintRecord Current = PaintedCell(Grid, 1, 2);
        QCOMPARE(Current.Fills.back(), Grid.palette().color(QPalette::Active, QPalette::Highlight));
        QCOMPARE(Current.Texts, QStringList{QStringLiteral("1,0")});
        QCOMPARE(PaintedCell(Grid, 1, 4).Fills.back(), Grid.palette().color(QPalette::Base));

        // Even a current formula cell is cream.
        ClickGridCell(Grid, 1, 11);
        QCOMPARE(PaintedCell(Grid, 1, 11).Fills.back(), Cream);
    }

    void rowDescriptionsFollowTheMouse() {
        TWindowFixture F;
        TDrawGrid& Grid = F.Grid();
        const QRect Label = Grid.CellRect(0, 6);
        QTest::mouseMove(Grid.verticalHeader(), Label.center() - Grid.verticalHeader()->pos());
        QCOMPARE(F.Window->StatusPanelText(2), QStringLiteral("коэффициент затухания"));
        QTest::mouseMove(Grid.viewport(), GridCellCentre(Grid, 1, 4));
        QCOMPARE(F.Window->StatusPanelText(2), QStringLiteral("частота свободных колебаний"));
        QTest::mouseMove(
            Grid.horizontalHeader(),
            QPoint(Grid.CellRect(1, 0).center().x() - Grid.horizontalHeader()->x(), 5));
        QCOMPARE(F.Window->StatusPanelText(2), QString());
        QTest::mouseMove(Grid.viewport(), GridCellCentre(Grid, 1, 2));
        QCOMPARE(F.Window->StatusPanelText(2), QStringLiteral("начальная амплитуда"));
        QEvent Leave(QEvent::Leave);
        QApplication::sendEvent(&Grid, &Leave);
        QCOMPARE(F.Window->StatusPanelText(2), QString());
    }
};

VIBRONA_UI_TEST(SignalGridTest, TSignalGridTest)
#include "SignalGridTest.moc"
