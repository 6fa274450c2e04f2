// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UiTestMain.h"
#include "WindowFixture.h"
#include "ui/window/CommandLine.h"
#include "ui/window/ProgressRunner.h"
#include "ui/window/TextExportRun.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <qcustomplot.h>

#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <thread>

namespace {

QByteArray Read(const QString& AFile) {
    QFile File(AFile);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

void Write(const QString& AFile, const QByteArray& AContent) {
    QFile File(AFile);
    QVERIFY(File.open(QIODevice::WriteOnly));
    File.write(AContent);
}

// While it lives every write to a file fails with EFBIG, as on a full disk; the
// signal that would end the process for it is ignored.
class TFileSizeLimit {
public:
    TFileSizeLimit() : FHandler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &FLimit);
        const rlimit None{0, FLimit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &None);
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &FLimit);
        std::signal(SIGXFSZ, FHandler);
    }

private:
    void (*FHandler)(int);
    rlimit FLimit{};
};

const QByteArray TwoSignals = "[General]\r\ndt=0,0005\r\nM=300\r\nC=1,5\r\nSignalsCount=2\r\n"
                              "[DFT]\r\nN=1000\r\nK=100\r\nWindow=1\r\n"
                              "[Signal0]\r\nAmplitude=2\r\nFrequency=60\r\n"
                              "[Signal1]\r\nActive=0\r\n";

} // namespace

class TFilesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void init() { QVERIFY(Dir.isValid()); }

    void openingReplacesTheProjectAndKeepsTheResults() {
        TWindowFixture F;
        Trigger(F, "acRefresh");
        QCustomPlot& Curve = F.Find<QCustomPlot>("tcCurve");
        QCPAbstractPlottable* Before = Curve.plottable(0);
        // A value still being typed in an editor is dropped.
        TValueListEditor& Cmn = F.CmnParams();
        QTest::mouseClick(Cmn.viewport(), Qt::LeftButton, {},
                          Cmn.visualRect(Cmn.model()->index(1, 1)).center());
        TypeText("999");

        Write(Dir.filePath("beam.vbf"), TwoSignals);
        F.Platform.FileAnswers.push_back(Dir.filePath("beam.vbf"));
        Trigger(F, "acOpen");

        QCOMPARE(F.Platform.FileDialogs.back().Filter,
                 QStringLiteral("Vibrona файлы (*.vbf)|*.vbf"));
        QCOMPARE(F.Platform.FileDialogs.back().DefaultExt, QStringLiteral("vbf"));
        QCOMPARE(F.Platform.FileDialogs.back().InitialDir, QCoreApplication::applicationDirPath());
        QCOMPARE(F.Window->windowTitle(), QStringLiteral("Vibrona - beam.vbf"));
        QCOMPARE(F.Window->FileName(), Dir.filePath("beam.vbf"));
        QCOMPARE(F.Grid().ColCount(), 3);
        QCOMPARE(F.Window->Signals()[0].Amplitude(), 2.0);
        QVERIFY(!F.Window->Signals()[1].Active());
        QCOMPARE(Cmn.Values("M"), QStringLiteral("300"));
        QCOMPARE(Cmn.Values("C"), QStringLiteral("1,5"));
        QCOMPARE(F.DftParams().Values("Window"), QStringLiteral("wkHamming"));
        QCOMPARE(F.CalcSettings().M, 300);
        PressKey(Qt::Key_Down);
        QCOMPARE(F.CalcSettings().M, 300);
        // Nothing is recalculated.
        QCOMPARE(Curve.plottable(0), Before);
        QCOMPARE(F.Window->Spectrum().Count(), 12);

        // The next open starts in the project's folder.
        Trigger(F, "acOpen");
        QCOMPARE(F.Platform.FileDialogs.back().InitialDir, Dir.path());
    }

    void anUnreadableProjectChangesNothing() {
        TWindowFixture F;
        F.Platform.FileAnswers.push_back(Dir.path()); // a folder
        Trigger(F, "acOpen");
        QCOMPARE(F.Platform.Messages.size(), 1u);
        QVERIFY(F.Platform.Messages[0].Text.contains(Dir.path()));
        QCOMPARE(F.Platform.Messages[0].Kind, TMessageKind::Error);
        QCOMPARE(F.Window->windowTitle(), QStringLiteral("Vibrona"));
        QCOMPARE(F.Window->FileName(), QString());
        QCOMPARE(F.Window->Signals().Count(), 1);
        QCOMPARE(F.Window->Signals()[0].DF(), 60.0);
        F.Platform.FileAnswers.push_back(Dir.filePath("gone.vbf"));
        Trigger(F, "acOpen");
        QCOMPARE(F.Platform.Messages.size(), 2u);
        QCOMPARE(F.Window->FileName(), QString());
    }

    void aByteOrderMarkDoesNotHideTheFirstSection() {
        TWindowFixture F;
        Write(Dir.filePath("bom.vbf"), "\xEF\xBB\xBF" + TwoSignals);
        F.Platform.FileAnswers.push_back(Dir.filePath("bom.vbf"));
        Trigger(F, "acOpen");
        QCOMPARE(F.Window->Signals().Count(), 2);
        QCOMPARE(F.CalcSettings().M, 300);
    }

    void projectsNamedFromOutsideOpenAsFromTheDialog() {
        TWindowFixture F;
        Write(Dir.filePath("beam.vbf"), TwoSignals);
        F.Window->OpenProjectFile(Dir.filePath("beam.vbf"));
        QCOMPARE(F.Window->windowTitle(), QStringLiteral("Vibrona - beam.vbf"));
        QCOMPARE(F.Grid().ColCount(), 3);
        F.Window->OpenProjectFile(Dir.filePath("absent.vbf"));
        QCOMPARE(F.Platform.Messages.size(), 1u);
        QCOMPARE(F.Window->FileName(), Dir.filePath("beam.vbf"));

        // A dropped project opens; a dropped document of another kind is not taken.
        Write(Dir.filePath("other.vbf"), "[General]\nSignalsCount=4\n");
        Write(Dir.filePath("notes.odt"), "[General]\nSignalsCount=7\n");
        for (const char* Name : {"notes.odt", "other.vbf"}) {
            QMimeData Data;
            Data.setUrls({QUrl::fromLocalFile(Dir.filePath(Name))});
            QDragEnterEvent Enter(QPoint(10, 10), Qt::CopyAction, &Data, Qt::LeftButton, {});
            QApplication::sendEvent(F.Window.get(), &Enter);
            QCOMPARE(Enter.isAccepted(), QByteArray(Name).endsWith(".vbf"));
            QDropEvent Drop(QPointF(10, 10), Qt::CopyAction, &Data, Qt::LeftButton, {});
            QApplication::sendEvent(F.Window.get(), &Drop);
        }
        QCOMPARE(F.Window->Signals().Count(), 4);
        QCOMPARE(F.Window->windowTitle(), QStringLiteral("Vibrona - other.vbf"));
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("Arguments");
        QTest::addColumn<int>("Action");
        QTest::addColumn<QString>("File");
        QTest::newRow("nothing") << QStringList{} << int(TCommandLine::Start) << QString();
        QTest::newRow("project") << QStringList{"beam.vbf"} << int(TCommandLine::Start)
                                 << QStringLiteral("beam.vbf");
        QTest::newRow("help") << QStringList{"beam.vbf", "--help"} << int(TCommandLine::Help)
                              << QString();
        QTest::newRow("version") << QStringList{"--version"} << int(TCommandLine::Version)
                                 << QString();
        QTest::newRow("two") << QStringList{"a.vbf", "b.vbf"} << int(TCommandLine::Refuse)
                             << QString();
        QTest::newRow("option") << QStringList{"-x"} << int(TCommandLine::Refuse) << QString();
    }
    void commandLine() {
        QFETCH(QStringList, Arguments);
        QFETCH(int, Action);
        QFETCH(QString, File);
        const TCommandLine Line = ParseCommandLine(Arguments);
        QCOMPARE(int(Line.Action), Action);
        QCOMPARE(Line.ProjectFile, File);
    }

    void savingWritesTheExampleLinesAndKeepsOtherSections() {
        TWindowFixture F;
        F.Platform.FileAnswers.push_back(Dir.filePath("new.vbf"));
        Trigger(F, "acSave");
        QCOMPARE(Read(Dir.filePath("new.vbf")),
                 QByteArray("[General]\ndt=0,00025\nM=200\nC=0\nSignalsCount=1\n"
                            "[DFT]\nN=4000\nK=200\nWindow=0\n"
                            "[Signal0]\nActive=1\nAmplitude=1\nVelocity=0\n"
                            "Frequency=50\nDampingFactor=60\nFi=0\n"));
        QCOMPARE(F.Window->windowTitle(), QStringLiteral("Vibrona - new.vbf"));

        // Two signals into a file that held five: the sections of the others stay.
        F.Platform.InputAnswers.push_back({"5"});
        Trigger(F, "miLeftSaw");
        F.Platform.FileAnswers.push_back(Dir.filePath("new.vbf"));
        Trigger(F, "acSave");
        F.Platform.InputAnswers.push_back({"2"});
        Trigger(F, "miLeftSaw");
        F.Platform.FileAnswers.push_back(Dir.filePath("new.vbf"));
        Trigger(F, "acSave");
        const QByteArray Saved = Read(Dir.filePath("new.vbf"));
        QVERIFY(Saved.contains("SignalsCount=2\n"));
        QVERIFY(Saved.contains("[Signal4]\n"));
        F.Platform.FileAnswers.push_back(Dir.filePath("new.vbf"));
        Trigger(F, "acOpen");
        QCOMPARE(F.Window->Signals().Count(), 2);
    }

    void aFailedSaveChangesNeitherNameNorFile() {
        TWindowFixture F;
        F.Platform.FileAnswers.push_back(Dir.filePath("first.vbf"));
        Trigger(F, "acSave");
        const QString Locked = Dir.filePath("locked.vbf");
        Write(Locked, "[General]\nM=16\n");
        QFile::setPermissions(Locked, QFileDevice::ReadOwner);
        F.Platform.FileAnswers.push_back(Locked);
        Trigger(F, "acSave");
        QCOMPARE(F.Platform.Messages.size(), 1u);
        QCOMPARE(F.Platform.Messages[0].Text, QStringLiteral("Unable to write to %1.").arg(Locked));
        QCOMPARE(F.Window->FileName(), Dir.filePath("first.vbf"));
        QCOMPARE(F.Window->windowTitle(), QStringLiteral("Vibrona - first.vbf"));
        QCOMPARE(Read(Locked), QByteArray("[General]\nM=16\n"));
    }

    void aFullDiskChangesNoFile_data() {
        QTest::addColumn<QString>("Action");
        QTest::addColumn<QString>("Name");
        QTest::newRow("project") << "acSave"
                                 << "full.vbf";
        QTest::newRow("text") << "miSaveCurveToTxt"
                              << "full.txt";
        QTest::newRow("picture") << "acSaveSpectrum"
                                 << "full.png";
    }
    void aFullDiskChangesNoFile() {
        QFETCH(QString, Action);
        QFETCH(QString, Name);
        TWindowFixture F;
        Trigger(F, "acRefresh");
        const QString Target = Dir.filePath(Name);
        const QByteArray Old = "[General]\nM=16\n";
        Write(Target, Old);
        F.Platform.FileAnswers.push_back(Target);
        {
            const TFileSizeLimit Full;
            Trigger(F, Action.toLatin1().constData());
        }
        QCOMPARE(F.Platform.Messages.size(), 1u);
        QCOMPARE(F.Platform.Messages[0].Text, QStringLiteral("Unable to write to %1.").arg(Target));
        QCOMPARE(Read(Target), Old);
        QCOMPARE(F.Window->FileName(), QString());
        QCOMPARE(QDir(Dir.path()).entryList({Name + '*'}, QDir::Files), QStringList{Name});
    }

    void saveDialogPresets() {
        TWindowFixture F;
        Trigger(F, "acRefresh");
        F.Platform.FileAnswers = {std::nullopt, std::nullopt, Dir.filePath("beam.vbf"),
                                  std::nullopt};
        Trigger(F, "acSave");
        Trigger(F, "miSaveCurveToTxt");
        Trigger(F, "acSave");
        Trigger(F, "pmSaveCharacteristicFrequenciesToTxt");
        const auto& D = F.Platform.FileDialogs;
        QCOMPARE(D.size(), 4u);
        // No project: no name in the program's folder, or the export's own name.
        QCOMPARE(D[0].FileName, QString());
        QCOMPARE(D[0].InitialDir, QCoreApplication::applicationDirPath());
        QCOMPARE(D[1].FileName, QStringLiteral("tcCurve"));
        QCOMPARE(D[1].Filter, QStringLiteral("Текстовые файлы (*.txt)|*.txt"));
        QCOMPARE(D[1].DefaultExt, QStringLiteral("txt"));
        // With a project: its name without extension, in its folder.
        QCOMPARE(D[3].FileName, Dir.filePath("beam"));
        QCOMPARE(D[3].InitialDir, Dir.path());
        // Generating forgets the file name but not the caption.
        Trigger(F, "miSineWave");
        QCOMPARE(F.Window->FileName(), QString());
        QCOMPARE(F.Window->windowTitle(), QStringLiteral("Vibrona - beam.vbf"));
    }

    void exportsDoNothingBeforeARecalculation() {
        TWindowFixture F;
        for (const char* Name : {"acSaveCurve", "miSaveCurveToTxt", "acSaveSpectrum",
                                 "pmSaveSpectrumToTxt", "pmSaveCharacteristicFrequenciesToTxt"})
            Trigger(F, Name);
        QVERIFY(F.Platform.FileDialogs.empty());
        QVERIFY(F.Platform.Messages.empty());
    }

    void textExportsEqualTheBatchCommands() {
        TWindowFixture F;
        F.Platform.FileAnswers.push_back(Dir.filePath("p.vbf"));
        Trigger(F, "acSave");
        Trigger(F, "acRefresh");
        F.Platform.FileAnswers = {Dir.filePath("curve.txt"), Dir.filePath("spectrum.txt"),
                                  Dir.filePath("samples.txt")};
        Trigger(F, "miSaveCurveToTxt");
        Trigger(F, "pmSaveSpectrumToTxt");
        Trigger(F, "pmSaveCharacteristicFrequenciesToTxt");

        QProcess Batch;
        Batch.setProcessEnvironment([] {
            auto Env = QProcessEnvironment::systemEnvironment();
            Env.insert("LC_ALL", "ru_RU.UTF-8");
            return Env;
        }());
        Batch.start(QStringLiteral(VIBRONA_BATCH),
                    {Dir.filePath("p.vbf"), "--curve", Dir.filePath("b-curve.txt"), "--spectrum",
                     Dir.filePath("b-spectrum.txt"), "--samples", Dir.filePath("b-samples.txt")});
        QVERIFY(Batch.waitForFinished(30000));
        QCOMPARE(Batch.exitCode(), 0);
        for (const char* Name : {"curve.txt", "spectrum.txt", "samples.txt"}) {
            const QByteArray Window = Read(Dir.filePath(Name));
            QCOMPARE(Window.count("\r\n") > 4, true);
            QCOMPARE(Window, Read(Dir.filePath(QStringLiteral("b-") + Name)));
        }
        QCOMPARE(Read(Dir.filePath("curve.txt")).count("\r\n"), 200);
    }

    void aCancelledLongExportLeavesTheTargetAsItWas() {
        TWindowFixture F;
        const QString Target = Dir.filePath("long.txt");
        const QByteArray Old = "1\t2\r\n";
        Write(Target, Old);
        // Far above a long run: the export goes behind the progress window. It writes
        // until stopped, or for at most a few seconds and then completes.
        const TWork Work = TextExportWork(std::size_t{1} << 30, 2);
        const auto Writer = [](const TTextSink& ASink, TProgress* AProgress) {
            const QByteArray Piece(64 * 1024, 'x');
            for (int i = 0; i < 5000; ++i) {
                ASink(Piece);
                AProgress->Advance(TProgress::TickSeconds);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        };
        const auto Listed = [&] {
            return QDir(Dir.path()).entryList({"long.txt*"}, QDir::Files | QDir::Hidden);
        };
        bool Shown = false;
        bool Staged = false;
        QTimer Escape;
        QObject::connect(&Escape, &QTimer::timeout, [&] {
            auto* Progress = F.Window->findChild<QDialog*>("dlgProgress");
            if (!Progress || !Progress->isVisible())
                return;
            // The temporary beside the target is there while the export runs.
            Staged = Staged || Listed().size() > 1;
            if (!Staged)
                return;
            Shown = true;
            QTest::keyClick(Progress, Qt::Key_Escape);
            Escape.stop();
        });
        Escape.start(20);
        const bool Done = RunTextExport(TProgressRunner(F.Window.get()), Target, Work, Writer);
        Escape.stop();
        QVERIFY(Shown);
        QVERIFY(Staged);
        QVERIFY(!Done);
        QVERIFY(F.Platform.Messages.empty());
        QCOMPARE(Read(Target), Old);
        QCOMPARE(Listed(), QStringList{"long.txt"});
    }

    void picturesFollowTheChosenExtension() {
        TWindowFixture F;
        Trigger(F, "acRefresh");
        F.Platform.FileAnswers = {Dir.filePath("curve.emf"), Dir.filePath("spectrum.png")};
        QCustomPlot& Curve = F.Find<QCustomPlot>("tcCurve");
        const QColor Corner = Curve.grab().toImage().pixelColor(1, Curve.height() / 2);
        Trigger(F, "acSaveCurve");
        Trigger(F, "acSaveSpectrum");
        QVERIFY(F.Platform.Messages.empty());
        QCOMPARE(F.Platform.FileDialogs[0].DefaultExt, QStringLiteral("emf"));
        QVERIFY(F.Platform.FileDialogs[0].Filter.contains("PNG (*.png)|*.png"));
        QCOMPARE(Read(Dir.filePath("curve.emf")).mid(40, 4), QByteArray(" EMF"));
        QCOMPARE(QImage(Dir.filePath("spectrum.png")).size(),
                 F.Find<QCustomPlot>("tcSpectrum").size());
        // The chart on screen keeps its gradient.
        QVERIFY(Corner != QColor(Qt::white));
        QCOMPARE(Curve.grab().toImage().pixelColor(1, Curve.height() / 2), Corner);
    }

private:
    QTemporaryDir Dir;
};

VIBRONA_UI_TEST(FilesTest, TFilesTest)
#include "FilesTest.moc"
