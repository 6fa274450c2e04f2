// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "../core/RecordFiles.h"
#include "PaintRecorder.h"
#include "UiTestMain.h"
#include "WindowFixture.h"
#include "model/RecordGridRows.h"
#include "model/records/RecordReader.h"
#include "ui/controls/CategoryPanelGroup.h"

#include <QAction>
#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>

#include <cmath>
#include <numbers>

namespace {

constexpr int Rate = 8000;
constexpr int Samples = 4000;
constexpr double Tone = 440;
const QString OfferText = QStringLiteral("Установить dt и M по записи?");

// A decaying tone at 8000 Hz, as 24-bit samples.
bool WriteTone(const QString& AFile, int AChannels = 1) {
    std::vector<int> Pcm;
    for (int i = 0; i < Samples; ++i) {
        const double y =
            0.8 * std::exp(-4.0 * i / Rate) * std::sin(2 * std::numbers::pi * Tone * i / Rate);
        for (int c = 0; c < AChannels; ++c)
            Pcm.push_back(static_cast<int>(std::lround(y * (c + 1) / AChannels * 2147483647.0)));
    }
    return WriteAudio(AFile, SF_FORMAT_WAV | SF_FORMAT_PCM_24, Rate, AChannels, Pcm);
}

// What the first record's cell of a row paints.
TPaintRecord RecordingOf(TDrawGrid& AGrid, int ARow) {
    return RecordPainting(
        [&](QPainter& APainter) { AGrid.PaintCell(APainter, AGrid.CellRect(1, ARow), 1, ARow); });
}

// Drags files onto the window and drops them there; returns whether the drag was taken.
bool Drop(const TWindowFixture& F, const QStringList& AFiles) {
    QMimeData Data;
    QList<QUrl> Urls;
    for (const QString& File : AFiles)
        Urls << QUrl::fromLocalFile(File);
    Data.setUrls(Urls);
    QDragEnterEvent Enter(QPoint(10, 10), Qt::CopyAction, &Data, Qt::LeftButton, {});
    QApplication::sendEvent(F.Window.get(), &Enter);
    QDropEvent Drop(QPointF(10, 10), Qt::CopyAction, &Data, Qt::LeftButton, {});
    QApplication::sendEvent(F.Window.get(), &Drop);
    return Enter.isAccepted();
}

} // namespace

class TRecordsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        QVERIFY(Dir.isValid());
        QVERIFY(WriteTone(Dir.filePath("tap.wav")));
    }

    // The first record offers its dt and M; the answer decides, and later records do
    // not ask again. Ctrl+R then finds the tone; deleting empties the panel.
    void addingOffersTheSettingsOfTheFirstRecord() {
        for (const bool Accept : {true, false}) {
            TWindowFixture F;
            const TCalcSettings Before = F.CalcSettings();
            QVERIFY(F.Find<TCategoryPanel>("cpRecords").Collapsed());
            QVERIFY(!F.Find<QAction>("acDelRecord").isEnabled());
            F.Platform.FileAnswers.push_back(Dir.filePath("tap.wav"));
            F.Platform.QuestionAnswers.push_back(Accept);
            Trigger(F, "acAddRecord");

            QCOMPARE(F.Platform.FileDialogs.back().Filter, RecordFileFilter());
            QCOMPARE(F.Platform.Questions.size(), 1u);
            QCOMPARE(F.Platform.Questions[0].Text, OfferText);
            QCOMPARE(F.Window->Project().Records().Count(), 1);
            QVERIFY(!F.Find<TCategoryPanel>("cpRecords").Collapsed());
            QVERIFY(F.Find<QAction>("acDelRecord").isEnabled());
            const TCalcSettings& s = F.CalcSettings();
            if (Accept) {
                QCOMPARE(s.dt, 1.0 / Rate);
                QCOMPARE(s.M, Samples);
                QCOMPARE(s.N, Samples);
                QCOMPARE(s.K, Samples / 2);
                QCOMPARE(F.CmnParams().Values("dt"), QStringLiteral("0,000125"));
                QCOMPARE(F.DftParams().Values("K"), QStringLiteral("2000"));
            } else {
                QCOMPARE(s.dt, Before.dt);
                QCOMPARE(s.M, Before.M);
            }

            F.Platform.FileAnswers.push_back(Dir.filePath("tap.wav"));
            Trigger(F, "acAddRecord");
            QCOMPARE(F.Platform.Questions.size(), 1u);
            QCOMPARE(F.Window->Project().Records().Count(), 2);

            if (Accept) {
                Trigger(F, "acRefresh");
                QVERIFY(F.Window->Spectrum().Count() > 0);
                QCOMPARE(F.Window->Spectrum()[0].Frequency(), Tone);
            }
            Trigger(F, "acDelRecord");
            Trigger(F, "acDelRecord");
            QCOMPARE(F.Window->Project().Records().Count(), 0);
            QVERIFY(!F.Find<QAction>("acDelRecord").isEnabled());
            QVERIFY(F.Platform.Messages.empty());
        }
    }

    // Gain and activity are edited in the grid, kept by Save and Open; a record whose
    // file has gone is told about once and stays, greyed, with its settings.
    void saveAndOpenKeepTheRecord() {
        QTemporaryDir Project;
        const QString Wav = Project.filePath("tap.wav");
        QVERIFY(QFile::copy(Dir.filePath("tap.wav"), Wav));
        TWindowFixture F;
        F.Window->AddRecordFiles({Wav});
        TDrawGrid& Grid = F.Find<TDrawGrid>("dgRecords");
        Grid.setFocus();
        TypeText("0,5");
        PressKey(Qt::Key_Return);
        ClickGridCell(Grid, 1, rrActive);
        const TRecord& Added = F.Window->Project().Records()[0];
        QCOMPARE(Added.Gain(), 0.5);
        QVERIFY(!Added.Active());

        F.Platform.FileAnswers.push_back(Project.filePath("p.vbf"));
        Trigger(F, "acSave");
        QVERIFY(QFile::remove(Wav));
        for (const bool Present : {false, true}) {
            if (Present) {
                QVERIFY(QFile::copy(Dir.filePath("tap.wav"), Wav));
            }
            F.Platform.Messages.clear();
            F.Platform.FileAnswers.push_back(Project.filePath("p.vbf"));
            Trigger(F, "acOpen");
            QCOMPARE(F.Window->Project().Records().Count(), 1);
            const TRecord& r = F.Window->Project().Records()[0];
            QCOMPARE(r.FileName(), Wav);
            QCOMPARE(r.Gain(), 0.5);
            QVERIFY(!r.Active());
            QCOMPARE(r.Missing(), !Present);
            TDrawGrid& Shown = F.Find<TDrawGrid>("dgRecords");
            QCOMPARE(
                RecordingOf(Shown, rrSamples).Texts,
                QStringList{Present ? QStringLiteral("4\u00A0000") : QStringLiteral("нет файла")});
            QCOMPARE(RecordingOf(Shown, rrRate).Texts,
                     Present ? QStringList{QStringLiteral("8\u00A0000")} : QStringList{});
            QCOMPARE(F.Platform.Messages.size(), Present ? 0u : 1u);
            if (!Present) {
                QCOMPARE(F.Platform.Messages[0].Text,
                         QStringLiteral("Не найдены файлы записей: %1.").arg(Wav));
            }
        }
        QCOMPARE(F.Platform.Questions.size(), 1u); // only when the first was added
    }

    // Dropped audio becomes a record; a dropped project still opens; a file that gives
    // no record changes nothing and shows the error box.
    void droppedFiles() {
        TWindowFixture F;
        QVERIFY(Drop(F, {Dir.filePath("tap.wav")}));
        QCOMPARE(F.Window->Project().Records().Count(), 1);
        QCOMPARE(F.Platform.Questions.size(), 1u);

        QFile Empty(Dir.filePath("empty.csv"));
        QVERIFY(Empty.open(QIODevice::WriteOnly));
        Empty.close();
        const TCalcSettings Before = F.CalcSettings();
        QVERIFY(Drop(F, {Dir.filePath("tap.wav"), Empty.fileName()}));
        QCOMPARE(F.Window->Project().Records().Count(), 1);
        QCOMPARE(F.Platform.Messages.size(), 1u);
        QCOMPARE(F.Platform.Messages[0].Kind, TMessageKind::Error);
        QVERIFY(F.Platform.Messages[0].Text.contains(QStringLiteral("файл пуст")));
        QCOMPARE(F.CalcSettings().M, Before.M);

        QVERIFY(!Drop(F, {Dir.filePath("picture.png")}));
        QFile Project(Dir.filePath("p.vbf"));
        QVERIFY(Project.open(QIODevice::WriteOnly));
        Project.write("[General]\nSignalsCount=3\n");
        Project.close();
        QVERIFY(Drop(F, {Project.fileName()}));
        QCOMPARE(F.Window->Signals().Count(), 3);
        QCOMPARE(F.Window->Project().Records().Count(), 0);
    }

    // A file of several channels asks which one; a number out of range is refused,
    // Cancel adds nothing.
    void channelOfAStereoFile() {
        QVERIFY(WriteTone(Dir.filePath("stereo.wav"), 2));
        TWindowFixture F;
        F.Platform.InputAnswers.push_back({"3", "2"});
        F.Window->AddRecordFiles({Dir.filePath("stereo.wav")});
        QCOMPARE(F.Platform.Queries.size(), 1u);
        QCOMPARE(F.Platform.Queries[0].Refused, QStringList{"3"});
        QCOMPARE(F.Window->Project().Records().Count(), 1);
        const TRecord& r = F.Window->Project().Records()[0];
        QCOMPARE(r.Channel(), 2);
        // The second channel holds twice the first.
        const TRecordSamples First = ReadRecordFile(Dir.filePath("stereo.wav"), 1);
        QVERIFY(First.Values[1] > 0.01);
        QVERIFY(std::abs(r.Samples()[1] - 2 * First.Values[1]) < 1e-6);
        F.Window->AddRecordFiles({Dir.filePath("stereo.wav")});
        QCOMPARE(F.Window->Project().Records().Count(), 1);
    }

private:
    QTemporaryDir Dir;
};

VIBRONA_UI_TEST(RecordsTest, TRecordsTest)
#include "RecordsTest.moc"
