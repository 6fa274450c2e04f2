// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PaintRecorder.h"
#include "UiTestMain.h"
#include "WindowFixture.h"
#include "ui/charts/ChartLook.h"
#include "ui/window/ProgramFont.h"

#include <QAction>
#include <QFile>
#include <QListView>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QToolButton>
#include <QWindow>

#include <qcustomplot.h>

#include <new>
#include <stdexcept>

namespace {

// Counts the letter keys a widget itself receives.
class TKeyCounter : public QObject {
public:
    int Presses = 0;

protected:
    bool eventFilter(QObject* /*AObject*/, QEvent* AEvent) override {
        // Modifier keys arrive as presses of their own and are not counted.
        if (AEvent->type() == QEvent::KeyPress) {
            const int Key = static_cast<QKeyEvent*>(AEvent)->key();
            if (Key == Qt::Key_O || Key == Qt::Key_R || Key == Qt::Key_S)
                ++Presses;
        }
        return false;
    }
};

} // namespace

class TMainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void startsWithOneDampedOscillationAndDefaults() {
        TWindowFixture F;
        QCOMPARE(F.Window->windowTitle(), QStringLiteral("Vibrona"));
        QCOMPARE(F.Window->FileName(), QString());

        const TSignals& Signals = F.Window->Signals();
        QCOMPARE(Signals.Count(), 1);
        QCOMPARE(Signals[0].Amplitude(), 1.0);
        QCOMPARE(Signals[0].Velocity(), 0.0);
        QCOMPARE(Signals[0].Frequency(), 50.0);
        QCOMPARE(Signals[0].DF(), 60.0);
        QVERIFY(Signals[0].Active());

        TDrawGrid& Grid = F.Grid();
        QCOMPARE(Grid.RowCount(), 12);
        QCOMPARE(Grid.ColCount(), 2);
        QCOMPARE(Grid.Col(), 1);
        QCOMPARE(Grid.Row(), 2);
        const TPaintRecord Header =
            RecordPainting([&](QPainter& P) { Grid.PaintFixedCell(P, Grid.CellRect(1, 0), 1, 0); });
        QCOMPARE(Header.Texts, QStringList{QStringLiteral("Сигнал 0")});
        QVERIFY(Header.Bold.at(0));

        QCOMPARE(F.CmnParams().Values("dt"), QStringLiteral("0,00025"));
        QCOMPARE(F.CmnParams().Values("M"), QStringLiteral("200"));
        QCOMPARE(F.CmnParams().Values("C"), QStringLiteral("0,0"));
        QCOMPARE(F.DftParams().Values("N"), QStringLiteral("4000"));
        QCOMPARE(F.DftParams().Values("K"), QStringLiteral("200"));
        QCOMPARE(F.DftParams().Values("Window"), QStringLiteral("wkNone"));
        QCOMPARE(F.CmnParams().horizontalHeaderItem(0)->text(), QStringLiteral("Параметр"));
        QCOMPARE(F.DftParams().horizontalHeaderItem(1)->text(), QStringLiteral("Значение"));
        QCOMPARE(F.CalcSettings().dt, 0.00025);
        QCOMPARE(F.CalcSettings().K, 200);

        // Pictures made without a window take these sizes.
        QCOMPARE(F.Find<QCustomPlot>("tcCurve").size(), CurveChartSize);
        QCOMPARE(F.Find<QCustomPlot>("tcSpectrum").size(), SpectrumChartSize);

        // Nothing is computed at start.
        QCOMPARE(F.Find<QCustomPlot>("tcCurve").plottableCount(), 0);
        QCOMPARE(F.Find<QCustomPlot>("tcSpectrum").plottableCount(), 0);
        QCOMPARE(F.Find<QListView>("lbSpectrum").model()->rowCount(), 0);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(F.Window->StatusPanelText(i), QString());
    }

    void everyCommandIsAvailable() {
        TWindowFixture F;
        for (const char* Name :
             {"btnOpen", "btnSave", "btnRefresh", "btnSaveCurve", "btnSaveSpectrum", "btnGenSignal",
              "btnInsSignal", "btnDelSignal", "btnHelp", "btnAbout"})
            QVERIFY2(F.Find<QToolButton>(Name).isEnabled(), Name);
        QVERIFY(F.Find<QAction>("miSignalsChange").isEnabled());

        QToolButton& Gen = F.Find<QToolButton>("btnGenSignal");
        QCOMPARE(Gen.popupMode(), QToolButton::MenuButtonPopup);
        QCOMPARE(Gen.menu()->defaultAction(), &F.Find<QAction>("miSineWave"));
        QVERIFY(F.Find<QAction>("miSineWave").font().bold());
        QCOMPARE(F.Find<QToolButton>("btnRefresh").toolTip(), QStringLiteral("Обновить (Ctrl+R)"));
    }

    void ctrlShortcutsIgnoreShiftAndAltAndPassTheKeyOn() {
        TWindowFixture F;
        QAction& Open = F.Find<QAction>("acOpen");
        QAction& Refresh = F.Find<QAction>("acRefresh");
        QAction& Save = F.Find<QAction>("acSave");
        QSignalSpy Opened(&Open, &QAction::triggered);
        QSignalSpy Refreshed(&Refresh, &QAction::triggered);
        QSignalSpy Saved(&Save, &QAction::triggered);

        TDrawGrid& Grid = F.Grid();
        Grid.setFocus();
        TKeyCounter Counter;
        Grid.installEventFilter(&Counter);
        // Keys come from the desktop through the native window, as a keyboard's do.
        QWindow* Window = F.Window->windowHandle();
        const auto Press = [Window](Qt::Key AKey, Qt::KeyboardModifiers AModifiers) {
            QTest::sendKeyEvent(QTest::Press, Window, AKey, QString(), AModifiers);
            QTest::sendKeyEvent(QTest::Release, Window, AKey, QString(), AModifiers);
        };

        // Disabled commands ignore their shortcut.
        Open.setEnabled(false);
        Press(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(Opened.count(), 0);

        for (QAction* Action : {&Open, &Refresh, &Save})
            Action->setEnabled(true);
        Press(Qt::Key_R, Qt::ControlModifier);
        Press(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        Press(Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
        Press(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        Press(Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(Refreshed.count(), 3);
        QCOMPARE(Opened.count(), 1);
        QCOMPARE(Saved.count(), 1);
        // The focused control still got every key.
        QCOMPARE(Counter.Presses, 6);

        // On a Russian layout the same keys report Щ and Ы.
        Press(static_cast<Qt::Key>(0x0429), Qt::ControlModifier);
        Press(static_cast<Qt::Key>(0x042B), Qt::ControlModifier);
        QCOMPARE(Opened.count(), 2);
        QCOMPARE(Saved.count(), 2);

        // Without Ctrl the letters are no shortcuts.
        Press(Qt::Key_O, Qt::ShiftModifier);
        Press(Qt::Key_S, Qt::AltModifier);
        QCOMPARE(Opened.count(), 2);
        QCOMPARE(Saved.count(), 2);
    }

    void errorBoxAppendsDotAfterLetters_data() {
        QTest::addColumn<QString>("Message");
        QTest::addColumn<QString>("Shown");
        QTest::newRow("letter") << "Ошибка"
                                << "Ошибка.";
        QTest::newRow("digit") << "List index out of bounds (3"
                               << "List index out of bounds (3.";
        QTest::newRow("exclamation") << "Стоп!"
                                     << "Стоп!";
        QTest::newRow("dot") << "Готово."
                             << "Готово.";
        QTest::newRow("parenthesis") << "(5)"
                                     << "(5)";
        QTest::newRow("empty") << ""
                               << "";
    }
    void errorBoxAppendsDotAfterLetters() {
        QFETCH(QString, Message);
        QFETCH(QString, Shown);
        QCOMPARE(ErrorBoxText(Message), Shown);
    }

    void escapingErrorsEndInOneErrorBox() {
        TWindowFixture F;
        QVERIFY(!F.Window->RunCommand([] { throw EVibronaError("Деление на ноль"); }));
        QVERIFY(!F.Window->RunCommand([] { throw std::runtime_error("disk full"); }));
        QVERIFY(!F.Window->RunCommand([] { throw std::bad_alloc(); }));
        QVERIFY(F.Window->RunCommand([] {}));
        QCOMPARE(F.Platform.Messages.size(), std::size_t(3));
        QCOMPARE(F.Platform.Messages[0].Text, QStringLiteral("Деление на ноль."));
        QCOMPARE(F.Platform.Messages[0].Caption, QStringLiteral("Vibrona"));
        QCOMPARE(F.Platform.Messages[0].Kind, TMessageKind::Error);
        QCOMPARE(F.Platform.Messages[1].Text, QStringLiteral("disk full."));
        // An allocation failure anywhere in a command, never "std::bad_alloc".
        QCOMPARE(F.Platform.Messages[2].Text,
                 QStringLiteral("Недостаточно памяти для выполнения команды."));
        QVERIFY(F.Window->isVisible());
    }

    void fittedColumnWidths() {
        QCOMPARE(FittedColumnWidth(2, 200, 1, 72), 99);
        QCOMPARE(FittedColumnWidth(2, 145, 1, 72), 72);
        QCOMPARE(FittedColumnWidth(2, 100, 1, 72), 72);
        QCOMPARE(FittedColumnWidth(2, 147, 1, 72), 73);
        QCOMPARE(FittedColumnWidth(3, 400, 1, 72), 132);
    }

    void gridColumnsRefitOnResizeAndDropDraggedWidths() {
        TWindowFixture F;
        TDrawGrid& Grid = F.Grid();
        const auto Expected = [&] {
            return FittedColumnWidth(Grid.ColCount(), Grid.ClientWidth(), 1, 72);
        };
        QCOMPARE(Grid.ColWidths(0), Expected());
        QCOMPARE(Grid.ColWidths(1), Expected());

        Grid.horizontalHeader()->resizeSection(0, 90);
        F.Window->resize(1000, 700);
        QTRY_COMPARE(Grid.ColWidths(1), Expected());
        QCOMPARE(Grid.ColWidths(0), Expected());
        QVERIFY(Grid.ColWidths(1) > 300);
        QVERIFY(Grid.ColWidths(0) + Grid.ColWidths(1) <= Grid.ClientWidth());
    }

    void manySignalsKeepTheLeastColumnWidth() {
        TWindowFixture F;
        for (int i = 0; i < 30; ++i)
            F.Find<QAction>("acInsSignal").trigger();
        TDrawGrid& Grid = F.Grid();
        QCOMPARE(Grid.ColCount(), 32);
        QCOMPARE(Grid.ColWidths(0), 72);
        QCOMPARE(Grid.ColWidths(31), 72);
        QVERIFY(Grid.horizontalScrollBar()->maximum() > 0);
    }

    void theSmallestWindowKeepsBothChartsReadable() {
        TWindowFixture F;
        F.Window->resize(200, 150);
        QTRY_VERIFY(F.Window->width() >= F.Window->minimumWidth());
        QCoreApplication::processEvents();
        for (const char* Name : {"tcCurve", "tcSpectrum"}) {
            const QCustomPlot& Chart = F.Find<QCustomPlot>(Name);
            QVERIFY2(Chart.height() >= 120, Name);
            QVERIFY2(Chart.width() >= 300, Name);
        }
    }

    void programFontIsTahomaWhereItIsInstalled() {
        const QString File = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
        if (!QFile::exists(File))
            QSKIP("the Tahoma clone of fonts-wine is not installed");
        QVERIFY(LoadProgramFonts({File}).contains(QStringLiteral("Tahoma")));
        QCOMPARE(ProgramFont().family(), QStringLiteral("Tahoma"));
        QCOMPARE(ProgramFont().pointSize(), 8);
        QVERIFY(LoadProgramFonts({QStringLiteral("/nonexistent/tahoma.ttf")}).isEmpty());
    }

    void draggingTheGridSmallCollapsesIt() {
        TWindowFixture F;
        auto& Splitter2 = F.Find<QSplitter>("Splitter2");
        QSplitterHandle* Handle = Splitter2.handle(1);
        const QPoint Start = Handle->rect().center();
        const int GridHeight = Splitter2.sizes().at(0);
        QTest::mousePress(Handle, Qt::LeftButton, {}, Start);
        QTest::mouseMove(Handle, Start - QPoint(0, GridHeight - 25));
        QTest::mouseRelease(Handle, Qt::LeftButton, {}, Start - QPoint(0, GridHeight - 25));
        QCOMPARE(Splitter2.sizes().at(0), 0);
    }
};

VIBRONA_UI_TEST(MainWindowTest, TMainWindowTest)
#include "MainWindowTest.moc"
