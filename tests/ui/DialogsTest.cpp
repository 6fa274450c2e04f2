// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PaintRecorder.h"
#include "UiTestMain.h"
#include "WindowFixture.h"
#include "ui/dialogs/HelpDocument.h"
#include "ui/dialogs/UfrmAbout.h"
#include "ui/dialogs/UfrmSignalsChange.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

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

QRgb Pixel(const QImage& AImage, int X, int Y) {
    return AImage.pixel(X, Y);
}

bool Near(QRgb AColor, const QColor& B) {
    const QColor A(AColor);
    return std::abs(A.red() - B.red()) <= 6 && std::abs(A.green() - B.green()) <= 6 &&
           std::abs(A.blue() - B.blue()) <= 6;
}

// A file that exists for the length of a scope.
struct TScopedFile {
    QString Path;
    explicit TScopedFile(QString APath) : Path(std::move(APath)) {
        QDir().mkpath(QFileInfo(Path).path());
        QFile File(Path);
        if (!File.open(QIODevice::WriteOnly))
            qFatal("cannot make %s", qPrintable(Path));
    }
    ~TScopedFile() { QFile::remove(Path); }
};

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

    void aboutBoxCaptionAndKeys_data() {
        QTest::addColumn<int>("Key");
        QTest::addColumn<bool>("Result");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
    }
    void aboutBoxCaptionAndKeys() {
        QFETCH(int, Key);
        QFETCH(bool, Result);
        TScriptedPlatform Platform;
        QString Caption;
        AnswerNextDialog([&](QDialog& ADialog) {
            Caption = ADialog.windowTitle();
            QCOMPARE(ADialog.size(), QSize(411, 190));
            PressDialogKey(ADialog, Qt::Key(Key));
        });
        QCOMPARE(ShowAboutBox(nullptr, Platform, "Vibrona"), Result);
        QCOMPARE(Caption, QStringLiteral("О программе \"Vibrona\""));
    }

    void aboutBoxFromTheToolbar() {
        TWindowFixture F;
        QString Caption;
        AnswerNextDialog([&](QDialog& ADialog) {
            Caption = ADialog.windowTitle();
            ADialog.reject();
        });
        F.Find<QToolButton>("btnAbout").click();
        QCOMPARE(Caption, QStringLiteral("О программе \"Vibrona\""));
    }

    void linksUnderlineWhileHoveredAndOpenTheirAddress() {
        TScriptedPlatform Platform;
        TfrmAbout Box(nullptr, Platform, "Vibrona",
                      {"Holder", "mail@vibrona.test", "https://vibrona.test/"});
        Box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Box));
        auto& Mail = Child<QLabel>(Box, "lblMail");
        auto& Internet = Child<QLabel>(Box, "lblInternet");
        for (QLabel* Link : {&Mail, &Internet}) {
            QCOMPARE(Link->palette().color(Link->foregroundRole()),
                     Box.palette().color(QPalette::Link));
            QVERIFY(Box.palette().color(QPalette::Link) !=
                    Box.palette().color(QPalette::ButtonText));
            QCOMPARE(Link->cursor().shape(), Qt::PointingHandCursor);
            QEnterEvent Enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(Link, &Enter);
            QVERIFY(Link->font().underline());
            QEvent Leave(QEvent::Leave);
            QApplication::sendEvent(Link, &Leave);
            QVERIFY(!Link->font().underline());
            QTest::mouseClick(Link, Qt::LeftButton);
        }
        QCOMPARE(Platform.OpenedDocuments,
                 (QStringList{"mailto:mail@vibrona.test", "https://vibrona.test/"}));
    }

    void anAddressNotGivenHasNoLink() {
        TScriptedPlatform Platform;
        TfrmAbout Box(nullptr, Platform, "Vibrona", {"Holder", "", "https://vibrona.test/"});
        QCOMPARE(Box.findChild<QLabel*>("lblMail"), nullptr);
        QVERIFY(Box.findChild<QLabel*>("lblInternet"));
        TfrmAbout Bare(nullptr, Platform, "Vibrona", {"Holder", "", ""});
        QVERIFY(Bare.findChildren<QLabel*>().isEmpty());
        const QStringList Texts = RecordPainting([&Bare](QPainter& P) { Bare.render(&P); }).Texts;
        QVERIFY(Texts.contains(QStringLiteral("© Holder")));
    }

    void memoryLinesGroupThousandsByLocale_data() {
        QTest::addColumn<QString>("Locale");
        QTest::addColumn<QString>("Total");
        QTest::newRow("ru") << "ru" << QStringLiteral("Всего физической памяти: 16\u00A0384 МБ");
        QTest::newRow("dot") << "c" << QStringLiteral("Всего физической памяти: 16,384 МБ");
    }
    void memoryLinesGroupThousandsByLocale() {
        QFETCH(QString, Locale);
        QFETCH(QString, Total);
        SetLocale(Locale);
        TScriptedPlatform Platform;
        Platform.Memory = {16ull << 30, (3ull << 30) + 1048575};
        TfrmAbout Box(nullptr, Platform, "Vibrona");
        const auto Painted = [&Box] {
            return RecordPainting([&Box](QPainter& P) { Box.render(&P); }).Texts;
        };
        QStringList Texts = Painted();
        QVERIFY2(Texts.contains(Total), qPrintable(Texts.join('|')));
        // Whole MiB, the remainder dropped.
        QVERIFY(Texts.contains(QStringLiteral("Доступно физической памяти: 3") +
                               Total.at(Total.indexOf("16") + 2) + "072 МБ"));
        QCOMPARE(Texts.filter(QRegularExpression("^© \\S")).size(), 1);
        QVERIFY(Texts.contains("Версия 1, 2020"));

        // Read anew on every paint; a failing query leaves a note instead of figures.
        Platform.Memory.TotalPhys = 1ull << 30;
        const QChar Group = Locale == "ru" ? QChar(0xA0) : QChar(',');
        QVERIFY(
            Painted().contains(QStringLiteral("Всего физической памяти: 1") + Group + "024 МБ"));
        Platform.MemoryFails = true;
        Texts = Painted();
        QVERIFY(Texts.filter("физической памяти").isEmpty());
        QVERIFY(Texts.contains("Сведения о памяти недоступны"));
    }

    void aboutBoxPaintsTheBandAndTheEtchedLines() {
        TScriptedPlatform Platform;
        TfrmAbout Box(nullptr, Platform, "Vibrona");
        Box.resize(411, 190);
        const QImage Image = Box.grab().toImage();
        QVERIFY(Near(Pixel(Image, 1, 40), QColor(255, 204, 0)));
        QVERIFY(Near(Pixel(Image, 408, 40), QColor(255, 251, 240)));
        QVERIFY(!Near(Pixel(Image, 205, 40), QColor(255, 204, 0)));
        const QRgb Shadow = Box.palette().color(QPalette::Dark).rgb();
        const QRgb Highlight = Box.palette().color(QPalette::Light).rgb();
        const QRgb Face = Box.palette().color(QPalette::Button).rgb();
        QVERIFY(Shadow != Face && Highlight != Face);
        for (int X : {1, 200, 409}) {
            QCOMPARE(Pixel(Image, X, 70), Shadow);
            QCOMPARE(Pixel(Image, X, 71), Highlight);
            QCOMPARE(Pixel(Image, X, 140), Shadow);
            QCOMPARE(Pixel(Image, X, 141), Highlight);
        }
        QCOMPARE(Pixel(Image, 200, 69), Face);
        QCOMPARE(Pixel(Image, 0, 40), Face);
        QCOMPARE(Pixel(Image, 410, 40), Face);
    }

    void helpDocumentBesideOrInstalled() {
        QTemporaryDir Root;
        const QString Bin = Root.filePath("bin");
        QDir().mkpath(Bin);
        QCOMPARE(HelpDocumentPath(Bin), std::nullopt);
        {
            // Not in share/doc, which a system may leave out.
            const TScopedFile Documents(Root.filePath("share/doc/vibrona/help.pdf"));
            QCOMPARE(HelpDocumentPath(Bin), std::nullopt);
            const TScopedFile Installed(Root.filePath("share/vibrona/help.pdf"));
            QCOMPARE(HelpDocumentPath(Bin), std::optional(Installed.Path));
            const TScopedFile Beside(Root.filePath("bin/help.pdf"));
            QCOMPARE(HelpDocumentPath(Bin), std::optional(Beside.Path));
        }
        QCOMPARE(HelpDocumentPath(Bin), std::nullopt);
    }

    void helpButtonHandsThePathOnOrStaysSilent() {
        TWindowFixture F;
        const QString Beside = QDir(QCoreApplication::applicationDirPath()).filePath("help.pdf");
        QVERIFY2(!QFile::exists(Beside), "a stray help.pdf beside the test");
        F.Find<QToolButton>("btnHelp").click();
        QCOMPARE(F.Platform.OpenedDocuments, QStringList());
        {
            const TScopedFile Help(Beside);
            F.Find<QToolButton>("btnHelp").click();
        }
        QCOMPARE(F.Platform.OpenedDocuments, QStringList{Beside});
        QVERIFY(F.Platform.Messages.empty());
    }
};

VIBRONA_UI_TEST(DialogsTest, TDialogsTest)
#include "DialogsTest.moc"
