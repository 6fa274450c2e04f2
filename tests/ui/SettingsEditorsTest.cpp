// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UiTestMain.h"
#include "WindowFixture.h"
#include "ui/controls/PickListBox.h"
#include "ui/window/ProgramFont.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QToolButton>

class TSettingsEditorsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void samplingPeriodKeepsItsLowerLimit() {
        TWindowFixture F;
        TValueListEditor& Cmn = F.CmnParams();
        EnterSetting(Cmn, "dt", "0");
        QCOMPARE(F.CalcSettings().dt, 1e-6);
        QCOMPARE(Cmn.Values("dt"), QStringLiteral("0,000001"));
        EnterSetting(Cmn, "dt", "1e-3");
        QCOMPARE(F.CalcSettings().dt, 0.001);
        QCOMPARE(Cmn.Values("dt"), QStringLiteral("0,001"));
        EnterSetting(Cmn, "dt", "abc");
        QCOMPARE(F.CalcSettings().dt, 0.001);
        QCOMPARE(Cmn.Values("dt"), QStringLiteral("0,001"));
    }

    void sampleCountAndConstant() {
        TWindowFixture F;
        TValueListEditor& Cmn = F.CmnParams();
        EnterSetting(Cmn, "M", "10");
        QCOMPARE(F.CalcSettings().M, 16);
        QCOMPARE(Cmn.Values("M"), QStringLiteral("16"));
        EnterSetting(Cmn, "M", "300");
        EnterSetting(Cmn, "M", "2.5");
        QCOMPARE(F.CalcSettings().M, 300);
        QCOMPARE(Cmn.Values("M"), QStringLiteral("300"));
        EnterSetting(Cmn, "M", "-3");
        QCOMPARE(F.CalcSettings().M, 16);

        EnterSetting(Cmn, "C", "-2.5");
        QCOMPARE(F.CalcSettings().C, -2.5);
        QCOMPARE(Cmn.Values("C"), QStringLiteral("-2,5"));
    }

    void spectrumSizeIsBoundByHalfTheDftSize() {
        TWindowFixture F;
        TValueListEditor& Dft = F.DftParams();
        for (const char* Text : {"5000", "0", "-1"}) {
            EnterSetting(Dft, "K", Text);
            QCOMPARE(F.CalcSettings().K, 2000);
            QCOMPARE(Dft.Values("K"), QStringLiteral("2000"));
        }
        EnterSetting(Dft, "K", "1");
        QCOMPARE(F.CalcSettings().K, 1);
        EnterSetting(Dft, "N", "8");
        QCOMPARE(F.CalcSettings().N, 16);
        QCOMPARE(Dft.Values("N"), QStringLiteral("16"));
    }

    void loweringNLeavesKUntilKIsValidated() {
        TWindowFixture F;
        TValueListEditor& Dft = F.DftParams();
        EnterSetting(Dft, "N", "100");
        QCOMPARE(F.CalcSettings().N, 100);
        QCOMPARE(F.CalcSettings().K, 200);
        QCOMPARE(Dft.Values("K"), QStringLiteral("200"));
        EnterSetting(Dft, "K", "200");
        QCOMPARE(F.CalcSettings().K, 50);
        QCOMPARE(Dft.Values("K"), QStringLiteral("50"));
    }

    void leavingTheEditorValidates() {
        TWindowFixture F;
        TValueListEditor& Cmn = F.CmnParams();
        QTest::mouseClick(Cmn.viewport(), Qt::LeftButton, {},
                          Cmn.visualRect(Cmn.model()->index(0, 1)).center());
        auto* Line = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(Line);
        Line->selectAll();
        TypeText("0");
        QCOMPARE(F.CalcSettings().dt, 0.00025);
        ClickGridCell(F.Grid(), 1, 3);
        QCOMPARE(F.CalcSettings().dt, 1e-6);
        QCOMPARE(Cmn.Values("dt"), QStringLiteral("0,000001"));
    }

    void choosingAWindowTakesEffectAtOnce() {
        TWindowFixture F;
        TValueListEditor& Dft = F.DftParams();
        const int Row = Dft.RowOfKey("Window");
        QTest::mouseClick(Dft.viewport(), Qt::LeftButton, {},
                          Dft.visualRect(Dft.model()->index(Row - 1, 1)).center());
        auto* Combo = qobject_cast<QComboBox*>(Dft.indexWidget(Dft.model()->index(Row - 1, 1)));
        QVERIFY(Combo);
        QVERIFY(!Combo->isEditable());
        QCOMPARE(Combo->count(), 5);
        // The list opens with F4; Down and Enter in it choose.
        QTest::keyClick(Combo, Qt::Key_F4);
        QTRY_VERIFY(Combo->view()->isVisible());
        QTest::keyClick(Combo->view(), Qt::Key_Down);
        QTest::keyClick(Combo->view(), Qt::Key_Return);
        QCOMPARE(F.CalcSettings().Window, wkHamming);
        QCOMPARE(Dft.Values("Window"), QStringLiteral("wkHamming"));
        QTest::keyClick(Combo, Qt::Key_End);
        QCOMPARE(F.CalcSettings().Window, wkBartlett);
    }

    // With the program's font, every window's name fits the open editor as it fits the cell.
    void windowNamesShowWholeInTheirEditor() {
        if (LoadProgramFonts().isEmpty())
            QSKIP("the Tahoma clone of fonts-wine is not installed");
        TWindowFixture F;
        TValueListEditor& Dft = F.DftParams();
        const QModelIndex Window = Dft.model()->index(Dft.RowOfKey("Window") - 1, 1);
        QTest::mouseClick(Dft.viewport(), Qt::LeftButton, {}, Dft.visualRect(Window).center());
        auto* Box = qobject_cast<TPickListBox*>(Dft.indexWidget(Window));
        QVERIFY(Box);
        for (int i = 0; i < Box->count(); ++i)
            QVERIFY2(Box->fontMetrics().horizontalAdvance(Box->itemText(i)) <=
                         Box->TextRect().width(),
                     qPrintable(Box->itemText(i)));
    }

    void arrowKeysMoveBetweenRowsOnTheWindowRow() {
        TWindowFixture F;
        TValueListEditor& Dft = F.DftParams();
        const QModelIndex Window = Dft.model()->index(Dft.RowOfKey("Window") - 1, 1);
        QTest::mouseClick(Dft.viewport(), Qt::LeftButton, {}, Dft.visualRect(Window).center());
        QCOMPARE(Dft.Row(), 3);
        PressKey(Qt::Key_Down);
        QCOMPARE(Dft.Row(), 3);
        PressKey(Qt::Key_Up);
        QCOMPARE(Dft.Row(), 2);
        PressKey(Qt::Key_Down);
        QCOMPARE(Dft.Row(), 3);
        QCOMPARE(F.CalcSettings().Window, wkNone);
        QCOMPARE(Dft.Values("Window"), QStringLiteral("wkNone"));
    }

    void valueColumnFillsTheVisibleWidth() {
        TWindowFixture F;
        for (TValueListEditor* Editor : {&F.CmnParams(), &F.DftParams()}) {
            const QHeaderView& Header = *Editor->horizontalHeader();
            QCOMPARE(Header.sectionSize(0) + Header.sectionSize(1), Editor->viewport()->width());
        }
    }

    void generatingTakesOverTheRowBeingTyped() {
        TWindowFixture F;
        TValueListEditor& Cmn = F.CmnParams();
        const QModelIndex M = Cmn.model()->index(Cmn.RowOfKey("M") - 1, 1);
        QTest::mouseClick(Cmn.viewport(), Qt::LeftButton, {}, Cmn.visualRect(M).center());
        auto* Line = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(Line);
        Line->selectAll();
        TypeText("8");
        QCOMPARE(F.CalcSettings().M, 200);
        // A toolbar button does not take the focus from the editor.
        QTest::mouseClick(&F.Find<QToolButton>("btnGenSignal"), Qt::LeftButton);
        QCOMPARE(F.CalcSettings().M, 16);
        QCOMPARE(Cmn.Values("M"), QStringLiteral("16"));
    }

    void rowDescriptionsInTheStatusBar() {
        TWindowFixture F;
        TValueListEditor& Dft = F.DftParams();
        QTest::mouseMove(Dft.viewport(), Dft.visualRect(Dft.model()->index(1, 0)).center());
        QCOMPARE(F.Window->StatusPanelText(2),
                 QStringLiteral("количество отсчетов в спектре; K <= (N div 2)"));
        TValueListEditor& Cmn = F.CmnParams();
        QTest::mouseMove(Cmn.viewport(), Cmn.visualRect(Cmn.model()->index(0, 1)).center());
        QCOMPARE(F.Window->StatusPanelText(2), QStringLiteral("период дискретизации"));
        QTest::mouseMove(Cmn.horizontalHeader(), QPoint(10, 5));
        QCOMPARE(F.Window->StatusPanelText(2), QString());
        QTest::mouseMove(Cmn.viewport(), Cmn.visualRect(Cmn.model()->index(2, 1)).center());
        QEvent Leave(QEvent::Leave);
        QApplication::sendEvent(&Cmn, &Leave);
        QCOMPARE(F.Window->StatusPanelText(2), QString());
    }
};

VIBRONA_UI_TEST(SettingsEditorsTest, TSettingsEditorsTest)
#include "SettingsEditorsTest.moc"
