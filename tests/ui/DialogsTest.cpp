#include "WindowFixture.h"
#include "ui/dialogs/UfrmSignalsChange.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace {

// Runs AAnswer on the modal dialog that the next command opens; a dialog that a failed
// check leaves open is cancelled.
void AnswerNextDialog(std::function<void(QDialog&)> AAnswer) {
    QTimer::singleShot(0, [Answer = std::move(AAnswer)] {
        auto* Dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!Dialog)
            qFatal("no modal dialog");
        if (!QTest::qWaitForWindowExposed(Dialog))
            qFatal("the dialog was not shown");
        Answer(*Dialog);
        if (Dialog->isVisible())
            Dialog->reject();
    });
}

// A key as the keyboard gives it: to the dialog's focused control.
void PressDialogKey(QDialog& ADialog, Qt::Key AKey) {
    QTest::keyClick(ADialog.focusWidget() ? ADialog.focusWidget() : &ADialog, AKey);
}

template <typename T> T& Child(const QWidget& AParent, const char* AName) {
    T* Found = AParent.findChild<T*>(QLatin1String(AName));
    if (!Found)
        qFatal("no child %s", AName);
    return *Found;
}

void TypeValue(QDialog& ADialog, const QString& AText) {
    auto& Edit = Child<QLineEdit>(ADialog, "edValue");
    Edit.setFocus();
    Edit.selectAll();
    QTest::keyClick(&Edit, Qt::Key_Delete);
    QTest::keyClicks(&Edit, AText);
}

void SetLocale(const QString& AName) {
    QLocale::setDefault(AName == "ru" ? QLocale(QLocale::Russian, QLocale::Russia) : QLocale::c());
}

} // namespace

class TDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { SetLocale("ru"); }

    void bulkChangeRefusesNumbersByParameter_data() {
        QTest::addColumn<int>("Param");
        QTest::addColumn<QString>("Text");
        QTest::addColumn<QString>("Locale");
        QTest::addColumn<bool>("Accepted");
        QTest::addColumn<double>("Value");
        QTest::newRow("amplitude 0") << int(spAmplitude) << "0"
                                     << "ru" << false << 0.0;
        QTest::newRow("amplitude 1e-9") << int(spAmplitude) << "1e-9"
                                        << "ru" << false << 0.0;
        QTest::newRow("amplitude -1e-9") << int(spAmplitude) << "-1e-9"
                                         << "ru" << false << 0.0;
        QTest::newRow("amplitude -1") << int(spAmplitude) << "-1"
                                      << "ru" << true << -1.0;
        QTest::newRow("frequency 1e-8") << int(spFrequency) << "1e-8"
                                        << "ru" << false << 0.0;
        QTest::newRow("frequency 2e-8") << int(spFrequency) << "2e-8"
                                        << "ru" << true << 2e-8;
        QTest::newRow("frequency -5") << int(spFrequency) << "-5"
                                      << "ru" << false << 0.0;
        QTest::newRow("damping 0") << int(spDampingFactor) << "0"
                                   << "ru" << true << 0.0;
        QTest::newRow("damping -0.001") << int(spDampingFactor) << "-0,001"
                                        << "ru" << false << 0.0;
        QTest::newRow("velocity -3") << int(spVelocity) << "-3"
                                     << "ru" << true << -3.0;
        QTest::newRow("phase 0") << int(spPhase) << "0"
                                 << "ru" << true << 0.0;
        QTest::newRow("letters") << int(spVelocity) << "abc"
                                 << "ru" << false << 0.0;
        QTest::newRow("empty") << int(spPhase) << ""
                               << "ru" << false << 0.0;
        QTest::newRow("1,5 ru") << int(spAmplitude) << "1,5"
                                << "ru" << true << 1.5;
        QTest::newRow("1.5 ru") << int(spAmplitude) << "1.5"
                                << "ru" << true << 1.5;
        QTest::newRow("1,5 dot") << int(spAmplitude) << "1,5"
                                 << "c" << true << 1.5;
        QTest::newRow("1.5 dot") << int(spAmplitude) << "1.5"
                                 << "c" << true << 1.5;
    }
    void bulkChangeRefusesNumbersByParameter() {
        QFETCH(int, Param);
        QFETCH(QString, Text);
        QFETCH(QString, Locale);
        QFETCH(bool, Accepted);
        QFETCH(double, Value);
        SetLocale(Locale);
        TSignalParams ChosenParam = spAmplitude;
        TChangeOperations ChosenOperation = choMultiplication;
        double ChosenValue = 0;
        bool StayedOpen = false;
        AnswerNextDialog([&](QDialog& ADialog) {
            Child<QComboBox>(ADialog, "cbSignalParams").setCurrentIndex(Param);
            Child<QComboBox>(ADialog, "cbChangeOperations").setCurrentIndex(choAddition);
            TypeValue(ADialog, Text);
            QTest::mouseClick(&Child<QPushButton>(ADialog, "btnOk"), Qt::LeftButton);
            // A refused number keeps the dialog and the text as they were, without a word.
            StayedOpen = ADialog.isVisible();
            if (StayedOpen) {
                QCOMPARE(Child<QLineEdit>(ADialog, "edValue").text(), Text);
                QTest::mouseClick(&Child<QPushButton>(ADialog, "btnCancel"), Qt::LeftButton);
            }
        });
        const bool Result =
            ExecuteSignalsChange(nullptr, ChosenParam, ChosenOperation, ChosenValue);
        QCOMPARE(Result, Accepted);
        QCOMPARE(StayedOpen, !Accepted);
        if (Accepted) {
            QCOMPARE(int(ChosenParam), Param);
            QCOMPARE(ChosenOperation, choAddition);
            QCOMPARE(ChosenValue, Value);
        }
    }

    void bulkChangeStartsAfreshAndEnterCancels() {
        TWindowFixture F;
        const double Amplitude = F.Window->Signals()[0].Amplitude();
        for (int Run = 0; Run < 2; ++Run) {
            QStringList Shown;
            AnswerNextDialog([&](QDialog& ADialog) {
                Shown << ADialog.windowTitle()
                      << Child<QComboBox>(ADialog, "cbSignalParams").currentText()
                      << Child<QComboBox>(ADialog, "cbChangeOperations").currentText()
                      << Child<QLineEdit>(ADialog, "edValue").text();
                QCOMPARE(ADialog.focusWidget(), &Child<QPushButton>(ADialog, "btnCancel"));
                // Enter at once, then Enter from the edit after a change: "Отмена" both
                // times, and the changes are forgotten by the next call.
                if (Run == 1) {
                    Child<QComboBox>(ADialog, "cbSignalParams").setCurrentIndex(spPhase);
                    TypeValue(ADialog, "7");
                }
                PressDialogKey(ADialog, Qt::Key_Return);
            });
            F.Find<QAction>("miSignalsChange").trigger();
            QCOMPARE(Shown, (QStringList{"Изменение сигналов", "начальная амплитуда", "умножить на",
                                         "2,0"}));
        }
        QCOMPARE(F.Window->Signals()[0].Amplitude(), Amplitude);
        QCOMPARE(F.Window->Signals()[0].Fi(), 0.0);
    }

    void bulkChangeReachesEverySignalAndRecalculatesNothing() {
        TWindowFixture F;
        F.Find<QAction>("acInsSignal").trigger();
        ClickGridCell(F.Grid(), 2, 1); // the second signal off
        const QString Project = QDir::temp().filePath("vibrona-bulk-change.vbf");
        F.Platform.FileAnswers.push_back(Project);
        F.Find<QAction>("acSave").trigger();
        const TSignals& Signals = F.Window->Signals();
        QCOMPARE(Signals.Count(), 2);
        QVERIFY(!Signals[1].Active());
        const double First = Signals[0].Amplitude();
        const double Second = Signals[1].Amplitude();

        AnswerNextDialog([](QDialog& ADialog) {
            TypeValue(ADialog, "-1");
            QTest::mouseClick(&Child<QPushButton>(ADialog, "btnOk"), Qt::LeftButton);
        });
        F.Find<QAction>("miSignalsChange").trigger();
        QCOMPARE(Signals[0].Amplitude(), -First);
        QCOMPARE(Signals[1].Amplitude(), -Second);
        QCOMPARE(Signals[0].W(), 0.0); // no recalculation
        QCOMPARE(F.Window->FileName(), QFileInfo(Project).absoluteFilePath());
        QFile::remove(Project);
    }
};

QTEST_MAIN(TDialogsTest)
#include "DialogsTest.moc"
