// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/ProjectFile.h"
#include "TestLocales.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

class ProjectFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        ASSERT_TRUE(Dir.isValid());
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    QString Path(const char* AName) const { return Dir.filePath(QString::fromLatin1(AName)); }
    static void Write(const QString& AFile, const QByteArray& AContent) {
        QFile f(AFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(AContent);
    }
    static QByteArray Read(const QString& AFile) {
        QFile f(AFile);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    static void AddSignal(TSignals& AList, double A, double V, double F, double D) {
        AList.Add(std::make_unique<TSignal>(A, V, F, D));
    }

    QTemporaryDir Dir;
};

TEST_F(ProjectFileTest, NewFileHasTheExampleLayout) {
    TSignals Signals;
    AddSignal(Signals, 1, 0, 50, 60);
    SaveProject(Path("new.vbf"), TCalcSettings{}, Signals);
    EXPECT_EQ(Read(Path("new.vbf")),
              QByteArray("[General]\ndt=0,00025\nM=200\nC=0\nSignalsCount=1\n"
                         "[DFT]\nN=4000\nK=200\nWindow=0\n"
                         "[Signal0]\nActive=1\nAmplitude=1\nVelocity=0\n"
                         "Frequency=50\nDampingFactor=60\nFi=0\n"));
}

TEST_F(ProjectFileTest, RoundTripKeepsFifteenSignificantDigits) {
    TCalcSettings Settings;
    Settings.dt = 0.000123456789012345678;
    Settings.M = 1024;
    Settings.C = -2.5;
    Settings.N = 2048;
    Settings.K = 300;
    Settings.Window = wkBlackman;
    TSignals Signals;
    AddSignal(Signals, 1.0 / 3.0, -7, 123.456, 0);
    AddSignal(Signals, 2.5e-6, 0, 1e20, 60);
    Signals[1].SetActive(false);
    Signals[1].SetFi(-1.2345678901234567);
    SaveProject(Path("p.vbf"), Settings, Signals);

    TCalcSettings Loaded;
    TSignals LoadedSignals;
    OpenProject(Path("p.vbf"), Loaded, LoadedSignals);
    EXPECT_EQ(Loaded.dt, 0.000123456789012346);
    EXPECT_EQ(Loaded.M, 1024);
    EXPECT_EQ(Loaded.C, -2.5);
    EXPECT_EQ(Loaded.N, 2048);
    EXPECT_EQ(Loaded.K, 300);
    EXPECT_EQ(Loaded.Window, wkBlackman);
    ASSERT_EQ(LoadedSignals.Count(), 2);
    EXPECT_EQ(LoadedSignals[0].Amplitude(), 0.333333333333333);
    EXPECT_EQ(LoadedSignals[0].Velocity(), -7);
    EXPECT_EQ(LoadedSignals[0].Frequency(), 123.456);
    EXPECT_TRUE(LoadedSignals[0].Active());
    EXPECT_FALSE(LoadedSignals[1].Active());
    EXPECT_EQ(LoadedSignals[1].Amplitude(), 2.5e-6);
    EXPECT_EQ(LoadedSignals[1].Frequency(), 1e20);
    EXPECT_EQ(LoadedSignals[1].DF(), 60);
    EXPECT_EQ(LoadedSignals[1].Fi(), -1.23456789012346);
}

TEST_F(ProjectFileTest, KeepsEveryOtherLineAndAppendsInPlace) {
    Write(Path("old.vbf"), "; my notes\r\n[general]\r\nM = 50\r\nAuthor=Иван\r\n\r\n"
                           "[Signal2]\r\nAmplitude=9\r\n[Other]\r\nx=1\r\n"
                           "[Signal4]\r\nFrequency=3\r\n");
    TSignals Signals;
    AddSignal(Signals, 1, 0, 50, 60);
    AddSignal(Signals, 2, 0, 40, 0);
    SaveProject(Path("old.vbf"), TCalcSettings{}, Signals);
    EXPECT_EQ(Read(Path("old.vbf")),
              QByteArray("; my notes\r\n[general]\r\nM=200\r\nAuthor=Иван\r\ndt=0,00025\r\nC=0\r\n"
                         "SignalsCount=2\r\n\r\n"
                         "[Signal2]\r\nAmplitude=9\r\n[Other]\r\nx=1\r\n"
                         "[Signal4]\r\nFrequency=3\r\n"
                         "[DFT]\r\nN=4000\r\nK=200\r\nWindow=0\r\n"
                         "[Signal0]\r\nActive=1\r\nAmplitude=1\r\nVelocity=0\r\nFrequency=50\r\n"
                         "DampingFactor=60\r\nFi=0\r\n"
                         "[Signal1]\r\nActive=1\r\nAmplitude=2\r\nVelocity=0\r\nFrequency=40\r\n"
                         "DampingFactor=0\r\nFi=0\r\n"));
    // Sections beyond the count stay, but only SignalsCount sections are read.
    TCalcSettings s;
    TSignals Loaded;
    OpenProject(Path("old.vbf"), s, Loaded);
    EXPECT_EQ(Loaded.Count(), 2);
}

TEST_F(ProjectFileTest, ReadsBothDecimalSeparatorsAndIgnoresCase) {
    Write(Path("dot.vbf"), "[GENERAL]\ndt = 0.0001\nSignalsCount=2\n[signal0]\namplitude=0.5\n"
                           "[Signal1]\nAmplitude=1,5\nFi=2.5E-6\nActive=0\n");
    TCalcSettings s;
    TSignals Signals;
    OpenProject(Path("dot.vbf"), s, Signals);
    EXPECT_EQ(s.dt, 0.0001);
    ASSERT_EQ(Signals.Count(), 2);
    EXPECT_EQ(Signals[0].Amplitude(), 0.5);
    EXPECT_EQ(Signals[1].Amplitude(), 1.5);
    EXPECT_EQ(Signals[1].Fi(), 2.5e-6);
    EXPECT_FALSE(Signals[1].Active());
}

TEST_F(ProjectFileTest, MissingValuesKeepCurrentSettingsAndCount) {
    Write(Path("other.ini"), "[Something]\nkey=value\n");
    TCalcSettings s;
    s.M = 512;
    s.Window = wkGaussian;
    TSignals Signals;
    AddSignal(Signals, 1, 0, 50, 60);
    AddSignal(Signals, 1, 0, 50, 60);
    AddSignal(Signals, 1, 0, 50, 60);
    OpenProject(Path("other.ini"), s, Signals);
    EXPECT_EQ(s.M, 512);
    EXPECT_EQ(s.Window, wkGaussian);
    ASSERT_EQ(Signals.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Signals[i].Amplitude(), 0.015);
        EXPECT_EQ(Signals[i].Frequency(), 40);
        EXPECT_EQ(Signals[i].DF(), 50);
        EXPECT_TRUE(Signals[i].Active());
    }
    // A missing file reads like an empty one.
    OpenProject(Path("absent.vbf"), s, Signals);
    EXPECT_EQ(Signals.Count(), 3);
}

TEST_F(ProjectFileTest, CountsOfZeroAndPartialSections) {
    Write(Path("zero.vbf"), "[General]\nSignalsCount=0\n");
    TCalcSettings s;
    TSignals Signals;
    AddSignal(Signals, 1, 0, 50, 60);
    OpenProject(Path("zero.vbf"), s, Signals);
    EXPECT_EQ(Signals.Count(), 0);

    Write(Path("three.vbf"), "[General]\nSignalsCount=3\n[Signal0]\nAmplitude=7\n");
    OpenProject(Path("three.vbf"), s, Signals);
    ASSERT_EQ(Signals.Count(), 3);
    EXPECT_EQ(Signals[0].Amplitude(), 7);
    EXPECT_EQ(Signals[2].Amplitude(), 0.015);
}

TEST_F(ProjectFileTest, CorrectsSettingsOutsideTheLimits) {
    Write(Path("bad.vbf"), "[General]\ndt=0\nM=1\n[DFT]\nN=10\nK=0\nWindow=7\n");
    TCalcSettings s;
    TSignals Signals;
    OpenProject(Path("bad.vbf"), s, Signals);
    EXPECT_EQ(s.dt, 1e-6);
    EXPECT_EQ(s.M, 16);
    EXPECT_EQ(s.N, 16);
    EXPECT_EQ(s.K, 8);
    EXPECT_EQ(s.Window, wkNone);

    Write(Path("bigk.vbf"), "[DFT]\nN=100\nK=200\n");
    OpenProject(Path("bigk.vbf"), s, Signals);
    EXPECT_EQ(s.K, 50);
}

TEST_F(ProjectFileTest, TooManySignalsChangesNothing) {
    Write(Path("huge.vbf"), "[General]\nM=64\nSignalsCount=100001\n");
    TCalcSettings s;
    TSignals Signals;
    AddSignal(Signals, 1, 0, 50, 60);
    try {
        OpenProject(Path("huge.vbf"), s, Signals);
        FAIL();
    } catch (const EVibronaError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("Файл проекта содержит слишком много сигналов (100001)."));
    }
    EXPECT_EQ(s.M, 200);
    ASSERT_EQ(Signals.Count(), 1);
    EXPECT_EQ(Signals[0].Frequency(), 50);
}

TEST_F(ProjectFileTest, FailedSaveLeavesTheOldFile) {
    const QString Locked = Path("locked.vbf");
    Write(Locked, "[General]\nM=1\n");
    QFile::setPermissions(Locked, QFileDevice::ReadOwner);
    TSignals Signals;
    AddSignal(Signals, 1, 0, 50, 60);
    try {
        SaveProject(Locked, TCalcSettings{}, Signals);
        FAIL();
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unable to write to %1").arg(Locked));
    }
    QFile::setPermissions(Locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(Read(Locked), QByteArray("[General]\nM=1\n"));

    const QString NoFolder = Path("missing/p.vbf");
    EXPECT_THROW(SaveProject(NoFolder, TCalcSettings{}, Signals), EWriteError);
    EXPECT_FALSE(QFile::exists(NoFolder));
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files).size(), 1); // no temporary left behind
}

TEST_F(ProjectFileTest, SignalListFileOperations) {
    TSignals Signals;
    AddSignal(Signals, 1, 0, 50, 60);
    AddSignal(Signals, 2, 0, 40, 0);
    Signals.SaveToFile(Path("list.vbf"));
    EXPECT_EQ(Read(Path("list.vbf")).left(28), QByteArray("[General]\nSignalsCount=2\n[Si"));
    TSignals Loaded;
    Loaded.LoadFromFile(Path("list.vbf"));
    ASSERT_EQ(Loaded.Count(), 2);
    EXPECT_EQ(Loaded[1].Amplitude(), 2);
}

TEST_F(ProjectFileTest, SignalsCountLimitAndNonzeroActive) {
    Write(Path("limit.vbf"), "[General]\nSignalsCount=100000\n[Signal0]\nActive=2\n"
                             "[Signal1]\nActive=-1\n[Signal2]\nActive=0\n");
    TCalcSettings s;
    TSignals Signals;
    OpenProject(Path("limit.vbf"), s, Signals);
    ASSERT_EQ(Signals.Count(), 100000);
    EXPECT_TRUE(Signals[0].Active());
    EXPECT_TRUE(Signals[1].Active());
    EXPECT_FALSE(Signals[2].Active());
}

// Every finite double comes back as its 15-digit text reads, the largest included.
TEST_F(ProjectFileTest, ExtremeFloatsSurviveSaveAndOpen) {
    constexpr double Max = std::numeric_limits<double>::max();
    const struct {
        double Value, Loaded;
    } Cases[] = {
        {Max, Max},
        {-Max, -Max},
        {std::numeric_limits<double>::min(), 2.2250738585072e-308},
        {-std::numeric_limits<double>::min(), -2.2250738585072e-308},
        {std::numeric_limits<double>::denorm_min(), 4.94065645841247e-324},
        {1.2345678901234567e-310, 1.23456789012346e-310},
        {-0.1, -0.1},
        {1.0 / 3.0, 0.333333333333333},
        {6.02214076e23, 6.02214076e23},
    };
    for (const QLocale& Locale : {QLocale::c(), QLocale(QLocale::Russian, QLocale::Russia)}) {
        QLocale::setDefault(Locale);
        TSignals Signals;
        for (const auto& c : Cases)
            AddSignal(Signals, c.Value, 0, 50, 60);
        SaveProject(Path("extreme.vbf"), TCalcSettings{}, Signals);
        TCalcSettings s;
        TSignals Loaded;
        OpenProject(Path("extreme.vbf"), s, Loaded);
        ASSERT_EQ(Loaded.Count(), static_cast<int>(std::size(Cases)));
        for (int i = 0; i < Loaded.Count(); ++i)
            EXPECT_EQ(Loaded[i].Amplitude(), Cases[i].Loaded) << Locale.name().toStdString() << i;
    }
}

TEST_F(ProjectFileTest, Utf8MarkIsSkippedAndNotWrittenBack) {
    Write(Path("bom.vbf"), "\xEF\xBB\xBF[General]\r\nM=64\r\n; заметка\r\n");
    TCalcSettings s;
    TSignals Signals;
    OpenProject(Path("bom.vbf"), s, Signals);
    EXPECT_EQ(s.M, 64);
    Signals.SaveToFile(Path("bom.vbf"));
    EXPECT_EQ(Read(Path("bom.vbf")),
              QByteArray("[General]\r\nM=64\r\n; заметка\r\nSignalsCount=0\r\n"));
}

// Both byte orders read; saving writes UTF-16 little endian with its mark.
TEST_F(ProjectFileTest, Utf16ReadsAsTextAndSavesLittleEndian) {
    const QString Old = QStringLiteral("[General]\r\nM=64\r\n; заметка\r\n");
    for (const auto Encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        QStringEncoder Encoder(Encoding, QStringConverter::Flag::WriteBom);
        Write(Path("wide.vbf"), Encoder(Old));
        TCalcSettings s;
        TSignals Signals;
        OpenProject(Path("wide.vbf"), s, Signals);
        EXPECT_EQ(s.M, 64);
        Signals.SaveToFile(Path("wide.vbf"));
        QStringEncoder Little(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        EXPECT_EQ(Read(Path("wide.vbf")), QByteArray(Little(Old + "SignalsCount=0\r\n")));
    }
}

TEST_F(ProjectFileTest, UnreadableFileIsReportedAndChangesNothing) {
    const QString Folder = Path("folder.vbf");
    ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral("folder.vbf")));
    TCalcSettings s;
    s.M = 512;
    TSignals Signals;
    AddSignal(Signals, 1, 0, 50, 60);
    try {
        OpenProject(Folder, s, Signals);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Не удается прочитать файл %1").arg(Folder));
    }
    EXPECT_EQ(s.M, 512);
    EXPECT_EQ(Signals.Count(), 1);
    EXPECT_THROW(SaveProject(Folder, s, Signals), EWriteError);
}

} // namespace
