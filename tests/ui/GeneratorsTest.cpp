// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UiTestMain.h"
#include "WindowFixture.h"

#include <QAction>
#include <QToolButton>

#include <cmath>
#include <numbers>

namespace {
constexpr double Pi = std::numbers::pi;

// Amplitudes of the harmonic series as the textbook writes them.
double Expected(const QString& AKind, int AK) {
    if (AKind == "miMeander")
        return 4 / (AK * Pi);
    if (AKind == "miTriangle")
        return (AK % 4 == 1 ? 8 : -8) / (AK * AK * Pi * Pi);
    if (AKind == "miLeftSaw")
        return 1 / (AK * Pi);
    return -1 / (AK * Pi);
}
} // namespace

class TGeneratorsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void harmonicSeries_data() {
        QTest::addColumn<QString>("Item");
        QTest::addColumn<QString>("Count");
        QTest::addColumn<QList<int>>("Harmonics");
        QTest::newRow("meander 5") << "miMeander"
                                   << "5" << QList<int>{1, 3, 5, 7, 9};
        QTest::newRow("triangle 3") << "miTriangle"
                                    << "3" << QList<int>{1, 3, 5};
        QTest::newRow("left saw 3") << "miLeftSaw"
                                    << "3" << QList<int>{1, 2, 3};
        QTest::newRow("right saw 3") << "miRigthSaw"
                                     << "3" << QList<int>{1, 2, 3};
    }
    void harmonicSeries() {
        QFETCH(QString, Item);
        QFETCH(QString, Count);
        QFETCH(QList<int>, Harmonics);
        TWindowFixture F;
        F.Platform.InputAnswers.push_back({Count});
        F.Find<QAction>(Item.toLatin1().constData()).trigger();

        QCOMPARE(F.Platform.Queries.size(), std::size_t(1));
        QCOMPARE(F.Platform.Queries[0].Caption, QStringLiteral("Количество гармоник"));
        QCOMPARE(F.Platform.Queries[0].Prompt, QStringLiteral("Введите количество гармоник"));
        QCOMPARE(F.Platform.Queries[0].Initial, QStringLiteral("5"));

        const TSignals& Signals = F.Window->Signals();
        QCOMPARE(Signals.Count(), Harmonics.size());
        for (int i = 0; i < Signals.Count(); ++i) {
            const int K = Harmonics[i];
            QCOMPARE(Signals[i].Frequency(), 50.0 * K);
            QVERIFY2(std::abs(Signals[i].Amplitude() - Expected(Item, K)) < 1e-15,
                     qPrintable(QString::number(K)));
            QCOMPARE(Signals[i].Velocity(), 0.0);
            QCOMPARE(Signals[i].DF(), 0.0);
            QVERIFY(Signals[i].Active());
        }
        QCOMPARE(F.Grid().ColCount(), Signals.Count() + 1);
        QCOMPARE(F.Window->FileName(), QString());
    }

    void refusedCountsKeepTheBoxOpen() {
        TWindowFixture F;
        F.Platform.InputAnswers.push_back({"0", "256", "-1", "abc", "", "2.5", "255"});
        F.Find<QAction>("miMeander").trigger();
        QCOMPARE(F.Platform.Queries.at(0).Refused,
                 (QStringList{"0", "256", "-1", "abc", "", "2.5"}));
        const TSignals& Signals = F.Window->Signals();
        QCOMPARE(Signals.Count(), 255);
        QCOMPARE(Signals[254].Frequency(), 25450.0);

        F.Platform.InputAnswers.push_back({"1"});
        F.Find<QAction>("miLeftSaw").trigger();
        QCOMPARE(F.Window->Signals().Count(), 1);
    }

    void cancellingChangesNothing() {
        TWindowFixture F;
        F.Platform.InputAnswers.push_back({"0", "x"}); // refused twice, then Cancel
        F.Find<QAction>("miTriangle").trigger();
        F.Find<QAction>("miMeander").trigger(); // no answer at all: Cancel
        const TSignals& Signals = F.Window->Signals();
        QCOMPARE(Signals.Count(), 1);
        QCOMPARE(Signals[0].DF(), 60.0);
        QCOMPARE(F.Grid().ColCount(), 2);
    }

    void singleSignalsNeedNoCount() {
        TWindowFixture F;
        F.Platform.InputAnswers.push_back({"4"});
        F.Find<QAction>("miLeftSaw").trigger();
        QTest::mouseClick(&F.Find<QToolButton>("btnGenSignal"), Qt::LeftButton);
        QCOMPARE(F.Window->Signals().Count(), 1);
        QCOMPARE(F.Window->Signals()[0].Amplitude(), 1.0);
        QCOMPARE(F.Window->Signals()[0].Frequency(), 50.0);
        QCOMPARE(F.Window->Signals()[0].DF(), 0.0);
        F.Find<QAction>("miDampedOscillation").trigger();
        QCOMPARE(F.Window->Signals()[0].DF(), 60.0);
        QCOMPARE(F.Platform.Queries.size(), std::size_t(1));
    }

    void insertionTakesTheCurrentColumn() {
        TWindowFixture F;
        F.Platform.InputAnswers.push_back({"3"});
        F.Find<QAction>("miLeftSaw").trigger(); // 50, 100, 150 Hz
        TDrawGrid& Grid = F.Grid();
        QToolButton& Insert = F.Find<QToolButton>("btnInsSignal");

        ClickGridCell(Grid, 1, 2);
        QTest::mouseClick(&Insert, Qt::LeftButton);
        const TSignals& Signals = F.Window->Signals();
        QCOMPARE(Signals.Count(), 4);
        QCOMPARE(Signals[0].Frequency(), 40.0);
        QCOMPARE(Signals[0].Amplitude(), 0.015);
        QCOMPARE(Signals[1].Frequency(), 50.0);
        QCOMPARE(Grid.ColCount(), 5);
        QCOMPARE(Grid.Col(), 1);

        // Inserting at the last column puts the new signal before the last one.
        ClickGridCell(Grid, 4, 2);
        QTest::mouseClick(&Insert, Qt::LeftButton);
        QCOMPARE(Signals.Count(), 5);
        QCOMPARE(Signals[3].Frequency(), 40.0);
        QCOMPARE(Signals[4].Frequency(), 150.0);
    }

    void deletionRefusesTheLastSignal() {
        TWindowFixture F;
        TDrawGrid& Grid = F.Grid();
        QTest::mouseClick(&F.Find<QToolButton>("btnInsSignal"), Qt::LeftButton);
        QCOMPARE(F.Window->Signals().Count(), 2);

        ClickGridCell(Grid, 2, 2); // the damped oscillation, now second
        QToolButton& Delete = F.Find<QToolButton>("btnDelSignal");
        QTest::mouseClick(&Delete, Qt::LeftButton);
        QCOMPARE(F.Window->Signals().Count(), 1);
        QCOMPARE(F.Window->Signals()[0].Frequency(), 40.0);
        QCOMPARE(Grid.ColCount(), 2);
        QCOMPARE(Grid.Col(), 1);
        QVERIFY(F.Platform.Messages.empty());

        QTest::mouseClick(&Delete, Qt::LeftButton);
        QCOMPARE(F.Window->Signals().Count(), 1);
        QCOMPARE(F.Platform.Messages.size(), std::size_t(1));
        QCOMPARE(F.Platform.Messages[0].Text,
                 QStringLiteral("Последний сигнал не может быть удален!"));
        QCOMPARE(F.Platform.Messages[0].Caption, QStringLiteral("Vibrona"));
        QCOMPARE(F.Platform.Messages[0].Kind, TMessageKind::Warning);
    }
};

VIBRONA_UI_TEST(GeneratorsTest, TGeneratorsTest)
#include "GeneratorsTest.moc"
