// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UiTestMain.h"
#include "WindowFixture.h"
#include "model/RecordList.h"
#include "ui/charts/ChartSeries.h"
#include "ui/dialogs/UfrmIdentify.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <qcustomplot.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

// Two damped oscillations and a constant; a third signal is off and no part of the curve.
const char* const Project = "[General]\r\ndt=0,0001\r\nM=3000\r\nC=0,25\r\nSignalsCount=3\r\n"
                            "[DFT]\r\nN=3000\r\nK=200\r\nWindow=0\r\n"
                            "[Signal0]\r\nAmplitude=1\r\nVelocity=0\r\nFrequency=50\r\n"
                            "DampingFactor=6\r\n"
                            "[Signal1]\r\nAmplitude=0,5\r\nVelocity=100\r\nFrequency=120\r\n"
                            "DampingFactor=15\r\n"
                            "[Signal2]\r\nActive=0\r\nAmplitude=7\r\nFrequency=300\r\n"
                            "DampingFactor=1\r\n";

// Runs AAnswer on the identification dialog that the next command opens; a dialog
// still open afterwards is closed with "Закрыть".
void AnswerDialog(std::function<void(TfrmIdentify&)> AAnswer) {
    QTimer::singleShot(0, [Answer = std::move(AAnswer)] {
        auto* Dialog = qobject_cast<TfrmIdentify*>(QApplication::activeModalWidget());
        if (!Dialog)
            qFatal("no identification dialog");
        Answer(*Dialog);
        if (Dialog->isVisible())
            Dialog->reject();
    });
}

void Click(const QWidget& ADialog, const char* AButton) {
    QTest::mouseClick(&Child<QPushButton>(ADialog, AButton), Qt::LeftButton);
}

struct TProjectWindow : TWindowFixture {
    QTemporaryDir Dir;
    TProjectWindow() {
        QFile File(Dir.filePath(QStringLiteral("p.vbf")));
        if (!File.open(QIODevice::WriteOnly))
            qFatal("cannot write the project");
        File.write(Project);
        File.close();
        Window->OpenProjectFile(File.fileName());
    }
    void Identify() { Find<QAction>("miIdentify").trigger(); }
    TSeriesPoints Curve() { return FirstSeriesPoints(Find<QCustomPlot>("tcCurve")); }
};

} // namespace

class TIdentifyDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    // Without a curve the command recalculates first; the signals found replace the
    // project's, after a "Да", and recalculate to the same curve.
    void replacedSignalsRecalculateToTheCurve() {
        TProjectWindow F;
        F.Platform.QuestionAnswers = {true};
        int Rows = 0;
        QString Residual;
        AnswerDialog([&](TfrmIdentify& ADialog) {
            Rows = Child<QTableWidget>(ADialog, "sgOscillations").rowCount();
            Residual = Child<QLabel>(ADialog, "lblResidual").text();
            Click(ADialog, "btnReplace");
        });
        F.Identify();
        QCOMPARE(Rows, 2);
        QVERIFY2(Residual.startsWith(QStringLiteral("Остаток: 0,0 %")), qPrintable(Residual));
        QCOMPARE(F.Platform.Questions.size(), 1u);
        QCOMPARE(F.Platform.Messages.size(), 0u);

        const TSignals& Signals = F.Window->Signals();
        QCOMPARE(Signals.Count(), 2);
        QCOMPARE(F.Grid().ColCount(), 3);
        QVERIFY(std::abs(Signals[0].Frequency() - 50) < 1e-6);
        QVERIFY(std::abs(Signals[1].Velocity() - 100) < 1e-6);
        QVERIFY(std::abs(F.CalcSettings().C - 0.25) < 1e-9);
        QCOMPARE(F.CmnParams().Values(QStringLiteral("C")), QStringLiteral("0,25"));

        const TSeriesPoints Before = F.Curve();
        QCOMPARE(Before.Y.size(), 3000u);
        F.Find<QAction>("acRefresh").trigger();
        const TSeriesPoints After = F.Curve();
        QCOMPARE(After.Y.size(), Before.Y.size());
        for (std::size_t k = 0; k < After.Y.size(); ++k)
            QVERIFY2(std::abs(After.Y[k] - Before.Y[k]) < 1e-9, qPrintable(QString::number(k)));
    }

    void refusedQuestionKeepsTheSignals() {
        TProjectWindow F;
        F.Platform.QuestionAnswers = {false};
        bool StillOpen = false;
        AnswerDialog([&](TfrmIdentify& ADialog) {
            Click(ADialog, "btnReplace");
            StillOpen = ADialog.isVisible();
        });
        F.Identify();
        QVERIFY(StillOpen);
        QCOMPARE(F.Platform.Questions.size(), 1u);
        QCOMPARE(F.Window->Signals().Count(), 3);
        QCOMPARE(F.Window->Signals()[2].Amplitude(), 7.0);
        QCOMPARE(F.CalcSettings().C, 0.25);
    }

    // Only the checked rows are added, after the signals; C stays; nothing is asked.
    void addAppendsTheCheckedRows() {
        TProjectWindow F;
        AnswerDialog([&](TfrmIdentify& ADialog) {
            auto& Table = Child<QTableWidget>(ADialog, "sgOscillations");
            Table.item(1, 0)->setCheckState(Qt::Unchecked);
            Click(ADialog, "btnAdd");
        });
        F.Identify();
        QCOMPARE(F.Platform.Questions.size(), 0u);
        const TSignals& Signals = F.Window->Signals();
        QCOMPARE(Signals.Count(), 4);
        QCOMPARE(Signals[2].Amplitude(), 7.0);
        QVERIFY(std::abs(Signals[3].Frequency() - 50) < 1e-6);
        QCOMPARE(F.CalcSettings().C, 0.25);
    }

    // One record alone, over a span that starts inside the curve: the oscillation's
    // state at the span's start, y(t0) and y'(t0), times the record's gain.
    void recordAloneOverASpan() {
        constexpr double dt = 1e-4, Fr = 80, D = 10, t0 = 0.05;
        const double Wd = std::sqrt(std::pow(2 * std::numbers::pi * Fr, 2) - D * D);
        TRecords Records;
        auto Missing = std::make_unique<TRecord>(QStringLiteral("gone.wav"));
        Missing->SetMissing();
        Records.Add(std::move(Missing));
        TRecordSamples Samples;
        Samples.Step = dt;
        for (int k = 0; k < 2000; ++k)
            Samples.Values.push_back(std::exp(-D * k * dt) * std::sin(Wd * k * dt));
        auto Record = std::make_unique<TRecord>(QStringLiteral("/tmp/tap.wav"));
        Record->SetSamples(std::move(Samples));
        Record->SetGain(2);
        Record->SetActive(false);
        Records.Add(std::move(Record));

        TIdentifySources Sources;
        Sources.CurveSamples = 2000;
        Sources.CurveTime = [](std::size_t k) { return static_cast<double>(k) * dt; };
        Sources.CurveValue = [](std::size_t) { return 0.0; };
        Sources.Records = &Records;
        TfrmIdentify Dialog(nullptr, std::move(Sources), {});
        auto& Source = Child<QComboBox>(Dialog, "cbSource");
        QCOMPARE(Source.count(), 2); // the curve and the record with samples
        QCOMPARE(Source.itemText(1), QStringLiteral("Запись 2: tap.wav, канал 1"));
        Source.setCurrentIndex(1);
        Child<QLineEdit>(Dialog, "edStart").setText(QStringLiteral("0.05"));
        Dialog.Identify();

        QCOMPARE(Dialog.SourceRecord(), 1);
        QCOMPARE(Dialog.Result().Oscillations.size(), 1u);
        const TOscillation& o = Dialog.Result().Oscillations[0];
        const double Envelope = 2 * std::exp(-D * t0);
        QVERIFY(std::abs(o.F - Fr) < 1e-6 * Fr);
        QVERIFY(std::abs(o.D - D) < 1e-6 * D);
        QVERIFY(std::abs(o.A - Envelope * std::sin(Wd * t0)) < 1e-6);
        QVERIFY(std::abs(o.V - Envelope * (Wd * std::cos(Wd * t0) - D * std::sin(Wd * t0))) <
                1e-6 * Envelope * Wd);
        QCOMPARE(Child<QLineEdit>(Dialog, "edStart").text(), QStringLiteral("0,05"));
    }
};

VIBRONA_UI_TEST(IdentifyDialogTest, TIdentifyDialogTest)
#include "IdentifyDialogTest.moc"
