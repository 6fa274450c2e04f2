// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordFiles.h"
#include "model/ProjectFile.h"
#include "model/records/RecordReader.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ProjectRecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        ASSERT_TRUE(Dir.isValid());
        ASSERT_TRUE(QDir(Dir.path()).mkpath(QStringLiteral("proj/data")));
        ASSERT_TRUE(QDir(Dir.path()).mkpath(QStringLiteral("elsewhere")));
        ASSERT_TRUE(WriteBytes(Path("proj/data/a.csv"), "t;v\n0;1,5\n0,5;2,5\n1;-3\n"));
        ASSERT_TRUE(WriteAudio(Path("elsewhere/b.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 2,
                               {1 << 24, 2 << 24, 3 << 24, 4 << 24}));
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    QString Path(const char* AName) const { return Dir.filePath(QString::fromLatin1(AName)); }
    static QByteArray Read(const QString& AFile) {
        QFile f(AFile);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    static void AddRecord(TProject& AProject, const QString& AFile, int AChannel, double AGain,
                          double AShift, bool AActive) {
        auto r = std::make_unique<TRecord>(AFile, AChannel);
        r->SetGain(AGain);
        r->SetShift(AShift);
        r->SetActive(AActive);
        AProject.Records().Add(std::move(r));
    }

    QTemporaryDir Dir;
};

TEST_F(ProjectRecordsTest, RoundTripWithRelativeAndAbsolutePaths) {
    TProject Saved;
    AddRecord(Saved, Path("proj/data/a.csv"), 1, 0.5, -0.25, true);
    AddRecord(Saved, Path("elsewhere/b.wav"), 2, 2, 0.001, false);
    SaveProject(Path("proj/p.vbf"), Saved);
    const QByteArray Text = Read(Path("proj/p.vbf"));
    EXPECT_TRUE(Text.contains("SignalsCount=0\nRecordsCount=2\n"));
    EXPECT_TRUE(Text.contains("[Record0]\nFile=data/a.csv\nChannel=1\nGain=0,5\nShift=-0,25\n"
                              "Active=1\n"));
    EXPECT_TRUE(Text.contains("[Record1]\nFile=" + Path("elsewhere/b.wav").toUtf8() +
                              "\nChannel=2\nGain=2\nShift=0,001\nActive=0\n"));

    // The project's folder moves with the files below it; the other file stays.
    ASSERT_TRUE(QDir(Dir.path()).rename(QStringLiteral("proj"), QStringLiteral("moved")));
    TProject Opened;
    EXPECT_TRUE(OpenProject(Path("moved/p.vbf"), Opened).empty());
    ASSERT_EQ(Opened.Records().Count(), 2);
    const TRecord& a = Opened.Records()[0];
    const TRecord& b = Opened.Records()[1];
    EXPECT_EQ(a.FileName(), Path("moved/data/a.csv"));
    EXPECT_EQ(b.FileName(), Path("elsewhere/b.wav"));
    EXPECT_EQ(a.Channel(), 1);
    EXPECT_EQ(b.Channel(), 2);
    EXPECT_EQ(a.Gain(), 0.5);
    EXPECT_EQ(b.Gain(), 2);
    EXPECT_EQ(a.Shift(), -0.25);
    EXPECT_EQ(b.Shift(), 0.001);
    EXPECT_TRUE(a.Active());
    EXPECT_FALSE(b.Active());
    EXPECT_EQ(a.Samples(), (std::vector<double>{1.5, 2.5, -3}));
    EXPECT_EQ(a.Step(), 0.5);
    EXPECT_EQ(b.Samples(), (std::vector<double>{2 / 128.0, 4 / 128.0}));
    EXPECT_EQ(b.Step(), 1 / 8000.0);
}

TEST_F(ProjectRecordsTest, UnreadableRecordsStayMarkedAndAreSavedBackUnchanged) {
    ASSERT_TRUE(WriteBytes(Path("proj/bad.csv"), "0;1\n1;2;3\n"));
    TProject Saved;
    AddRecord(Saved, Path("proj/data/a.csv"), 1, 1, 0, true);
    AddRecord(Saved, Path("proj/gone.wav"), 1, 3, 0.5, true);
    AddRecord(Saved, Path("proj/bad.csv"), 1, 1, 0, true);
    AddRecord(Saved, Path("gone2.flac"), 2, 1, 0, false);
    SaveProject(Path("proj/p.vbf"), Saved);
    const QByteArray First = Read(Path("proj/p.vbf"));

    TProject Opened;
    const auto Problems = OpenProject(Path("proj/p.vbf"), Opened);
    ASSERT_EQ(Opened.Records().Count(), 4);
    EXPECT_FALSE(Opened.Records()[0].Missing());
    for (int i : {1, 2, 3}) {
        EXPECT_TRUE(Opened.Records()[i].Missing());
        EXPECT_FALSE(Opened.Records()[i].Contributes());
    }
    EXPECT_EQ(Opened.Records()[1].Gain(), 3);
    EXPECT_EQ(RecordProblemsText(Problems),
              QStringLiteral("Не найдены файлы записей: %1, %2\n"
                             "Не удается прочитать запись из файла %3: "
                             "в строке 2 столбцов 3, а в первой строке чисел 2")
                  .arg(Path("proj/gone.wav"), Path("gone2.flac"), Path("proj/bad.csv")));

    SaveProject(Path("proj/p.vbf"), Opened);
    EXPECT_EQ(Read(Path("proj/p.vbf")), First);
}

TEST_F(ProjectRecordsTest, ProjectsWithoutRecordsKeepTheirLayout) {
    TProject Project;
    SaveProject(Path("proj/p.vbf"), Project);
    EXPECT_FALSE(Read(Path("proj/p.vbf")).contains("Record"));
    EXPECT_TRUE(OpenProject(Path("proj/p.vbf"), Project).empty());
    EXPECT_EQ(Project.Records().Count(), 0);

    // Removing the last record tells the file so.
    AddRecord(Project, Path("proj/data/a.csv"), 1, 1, 0, true);
    SaveProject(Path("proj/p.vbf"), Project);
    Project.Records().Clear();
    SaveProject(Path("proj/p.vbf"), Project);
    EXPECT_TRUE(Read(Path("proj/p.vbf")).contains("RecordsCount=0\n"));
    EXPECT_TRUE(OpenProject(Path("proj/p.vbf"), Project).empty());
    EXPECT_EQ(Project.Records().Count(), 0);

    ASSERT_TRUE(WriteBytes(Path("proj/many.vbf"), "[General]\nRecordsCount=10001\n"));
    EXPECT_THROW(OpenProject(Path("proj/many.vbf"), Project), EVibronaError);
}

TEST_F(ProjectRecordsTest, SettingsFromARecord) {
    TCalcSettings Current;
    Current.C = 2;
    Current.Window = wkHamming;
    const auto Wav = ReadRecord(Path("elsewhere/b.wav"), 2);
    EXPECT_EQ(Wav->FileName(), Path("elsewhere/b.wav"));
    const TCalcSettings s = SettingsForRecord(*Wav, Current);
    EXPECT_EQ(s.dt, 1 / 8000.0);
    EXPECT_EQ(s.M, MinM); // two samples, raised to the least M
    EXPECT_EQ(s.N, MinM);
    EXPECT_EQ(s.K, MinM / 2);
    EXPECT_EQ(s.C, 2);
    EXPECT_EQ(s.Window, wkHamming);

    std::string Column;
    for (int i = 0; i < 1000; ++i)
        Column += "0,5\n";
    ASSERT_TRUE(WriteBytes(Path("proj/column.txt"), QByteArray::fromStdString(Column)));
    const TCalcSettings t = SettingsForRecord(*ReadRecord(Path("proj/column.txt")), Current);
    EXPECT_EQ(t.dt, Current.dt); // values without time follow dt
    EXPECT_EQ(t.M, 1000);
    EXPECT_EQ(t.N, 1000);
    EXPECT_EQ(t.K, 500);
}

} // namespace
