// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BatchRun.h"
#include "RecordFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdint>
#include <functional>

namespace {

// Runs the real vibrona-batch under a chosen locale, without a display.
class BatchTest : public ::testing::Test {
protected:
    using TRun = TBatchRun;

    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        Write("p.vbf", "[General]\r\ndt=0,00025\r\nM=200\r\nC=0\r\nSignalsCount=1\r\n[DFT]\r\n"
                       "N=4000\r\nK=200\r\nWindow=0\r\n[Signal0]\r\nActive=1\r\nAmplitude=1\r\n"
                       "Velocity=0\r\nFrequency=50\r\nDampingFactor=60\r\nFi=0\r\n");
    }

    TRun Run(const QStringList& AArgs, const char* ALocale = "ru_RU.UTF-8",
             const std::function<void(QProcess&)>& ASetup = {}) {
        return RunBatch(Dir.path(), AArgs, ALocale, ASetup);
    }
    void Write(const char* AName, const QByteArray& AContent) {
        QFile f(Dir.filePath(QString::fromLatin1(AName)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(AContent);
    }
    QByteArray Read(const char* AName) {
        QFile f(Dir.filePath(QString::fromLatin1(AName)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool Exists(const char* AName) {
        return QFile::exists(Dir.filePath(QString::fromLatin1(AName)));
    }

    QTemporaryDir Dir;
};

TEST_F(BatchTest, WritesTheThreeFilesAndTheProjectUnderARussianLocale) {
    const TRun r = Run({"p.vbf", "--curve", "c.txt", "--spectrum", "s.txt", "--samples", "f.txt",
                        "--save-project", "out.vbf"});
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.isEmpty());
    const QList<QByteArray> Curve = Read("c.txt").split('\n');
    ASSERT_EQ(Curve.size(), 201); // 200 lines and the empty rest after the last CR LF
    EXPECT_EQ(Curve[0], QByteArray("0\t1\r"));
    EXPECT_TRUE(Curve[199].startsWith("0,04975\t")) << Curve[199].toStdString();
    const QList<QByteArray> Spectrum = Read("s.txt").split('\n');
    ASSERT_EQ(Spectrum.size(), 201);
    EXPECT_TRUE(Spectrum[199].startsWith("199\t"));
    const QByteArray Samples = Read("f.txt");
    EXPECT_TRUE(Samples.startsWith("50\t0,0171779\t\xD0\x9D\xD0\xB5\xD1\x82\r\n"));
    EXPECT_TRUE(Samples.endsWith("198\t0,0017895\t\xD0\x94\xD0\xB0\r\n"));
    const QByteArray Project = Read("out.vbf");
    EXPECT_TRUE(Project.contains("dt=0,00025\n"));
    EXPECT_TRUE(Project.contains("Fi=1,37862985791968\n")); // the phase computed by Calc
}

TEST_F(BatchTest, DotLocaleAndStandardOutput) {
    const TRun r = Run({"p.vbf", "--samples", "-"}, "C.UTF-8");
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.startsWith("50\t0.0171779\t\xD0\x9D\xD0\xB5\xD1\x82\r\n"));
    EXPECT_EQ(r.Out.count('\n'), 12);
    // The comma-separated project opens under the dot locale too.
    const TRun p = Run({"p.vbf", "--save-project", "-"}, "C.UTF-8");
    EXPECT_TRUE(p.Out.contains("dt=0.00025\n"));
}

// An invalid signal, or results beyond the range of numbers, which would be written
// as INF or NAN.
TEST_F(BatchTest, RefusedRunCreatesNoFileAndExitsWithOne) {
    const struct {
        const char* Project;
        const char* Message;
    } Cases[] = {
        {"[General]\nSignalsCount=2\n[Signal1]\nFrequency=0\n",
         "Ошибка значения частоты свободных колебаний (F) в сигнале [1]!"},
        {"[General]\nC=1,5E308\nSignalsCount=1\n[Signal0]\nActive=0\n[DFT]\nN=200\nK=100\n",
         "Значения спектра выходят за пределы диапазона чисел: уменьшите амплитуды сигналов или "
         "постоянную составляющую (C)!"},
    };
    for (const auto& c : Cases) {
        Write("bad.vbf", c.Project);
        Write("keep.txt", "old");
        const TRun r = Run({"bad.vbf", "--curve", "new.txt", "--spectrum", "keep.txt"});
        EXPECT_EQ(r.Status, 1);
        EXPECT_EQ(QString::fromUtf8(r.Err).trimmed(), QString::fromUtf8(c.Message));
        EXPECT_FALSE(Exists("new.txt"));
        EXPECT_EQ(Read("keep.txt"), QByteArray("old"));
    }
}

// The largest M takes about 100 GB with its chart points: refused before anything is
// allocated, rather than left to an allocation that overcommit lets through.
TEST_F(BatchTest, RunTooLargeForMemoryIsRefused) {
    if (sysconf(_SC_PHYS_PAGES) > (std::int64_t{64} << 30) / sysconf(_SC_PAGESIZE))
        GTEST_SKIP() << "this machine could hold it";
    Write("huge.vbf", "[General]\nM=2147483647\n");
    const TRun r = Run({"huge.vbf", "--curve", "c.txt"});
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(QString::fromUtf8(r.Err), QStringLiteral("Недостаточно памяти для расчета.\n"));
    EXPECT_FALSE(Exists("c.txt"));
}

// Twenty million curve points take about a gigabyte, which 512 MiB of address space
// cannot hold however much memory the machine has free.
TEST_F(BatchTest, AddressSpaceLimitRefusesALargeRun) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves terabytes of shadow memory at start";
#endif
    Write("large.vbf", "[General]\nM=20000000\n");
    const TRun r = Run({"large.vbf", "--curve", "c.txt"}, "ru_RU.UTF-8", [](QProcess& p) {
        p.setChildProcessModifier([] {
            const rlimit Limit{rlim_t{512} << 20, rlim_t{512} << 20};
            setrlimit(RLIMIT_AS, &Limit);
        });
    });
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(QString::fromUtf8(r.Err), QStringLiteral("Недостаточно памяти для расчета.\n"));
    EXPECT_FALSE(Exists("c.txt"));
}

TEST_F(BatchTest, UnwritableOutputChangesNoOtherFile) {
    const TRun r = Run({"p.vbf", "--curve", "c.txt", "--spectrum", "nowhere/s.txt"});
    EXPECT_EQ(r.Status, 1);
    EXPECT_TRUE(r.Err.startsWith("Unable to write to nowhere/s.txt.")) << r.Err.toStdString();
    EXPECT_FALSE(Exists("c.txt"));
    const TRun Missing = Run({"absent.vbf", "--curve", "c.txt"});
    EXPECT_EQ(Missing.Status, 1);
    EXPECT_FALSE(Exists("c.txt"));
}

// A full disk, as a file size limit makes it: writes past the limit fail with EFBIG
// instead of ending the process.
std::function<void(QProcess&)> FileSizeLimit(rlim_t ABytes) {
    return [ABytes](QProcess& AProcess) {
        AProcess.setChildProcessModifier([ABytes] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit Limit{ABytes, ABytes};
            setrlimit(RLIMIT_FSIZE, &Limit);
        });
    };
}

TEST_F(BatchTest, FailedWritesChangeNoFileAndExitWithOne) {
    Write("c.txt", "old curve");
    Write("f.txt", "old samples");
    const QByteArray Project = Read("p.vbf");
    const struct {
        QStringList Args;
        std::function<void(QProcess&)> Setup;
        const char* Error;
    } Faults[] = {
        // A project far smaller than any write buffer fails only at its end.
        {{"p.vbf", "--save-project", "p.vbf"}, FileSizeLimit(0), "Unable to write to p.vbf."},
        // The samples fit and are complete when the curve fails.
        {{"p.vbf", "--samples", "f.txt", "--curve", "c.txt"},
         FileSizeLimit(1024),
         "Unable to write to c.txt."},
        {{"p.vbf", "--curve", "c.txt", "--samples", "-"},
         [](QProcess& p) { p.setStandardOutputFile(QStringLiteral("/dev/full")); },
         "Unable to write to -"},
        {{"p.vbf", "--samples", "-"},
         [](QProcess& p) { p.setChildProcessModifier([] { ::close(STDOUT_FILENO); }); },
         "Unable to write to -"},
    };
    for (const auto& Fault : Faults) {
        const TRun r = Run(Fault.Args, "ru_RU.UTF-8", Fault.Setup);
        EXPECT_EQ(r.Status, 1) << Fault.Error;
        EXPECT_EQ(r.Err, QByteArray(Fault.Error) + '\n');
    }
    EXPECT_EQ(Read("c.txt"), QByteArray("old curve"));
    EXPECT_EQ(Read("f.txt"), QByteArray("old samples"));
    EXPECT_EQ(Read("p.vbf"), Project);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files).size(), 3); // no temporary left
}

TEST_F(BatchTest, ArgumentsAndHelp) {
    EXPECT_EQ(Run({}).Status, 2);
    EXPECT_EQ(Run({"p.vbf", "--curve"}).Status, 2);
    EXPECT_EQ(Run({"p.vbf", "--bogus", "x"}).Status, 2);
    EXPECT_EQ(Run({"p.vbf", "q.vbf"}).Status, 2);
    EXPECT_EQ(Run({"p.vbf", "--curve", "a", "--curve", "b"}).Status, 2);
    const TRun Bad = Run({"--bogus"});
    EXPECT_TRUE(QString::fromUtf8(Bad.Err).startsWith(QStringLiteral("Использование:")));
    const TRun Help = Run({"--help"});
    EXPECT_EQ(Help.Status, 0);
    EXPECT_TRUE(QString::fromUtf8(Help.Out).startsWith(QStringLiteral("Использование:")));
    const TRun Version = Run({"--version"});
    EXPECT_EQ(Version.Status, 0);
    EXPECT_TRUE(Version.Out.startsWith("Vibrona ")) << Version.Out.toStdString();
}

TEST_F(BatchTest, PicturesInEveryFormatWithoutADisplay) {
    const TRun r = Run({"p.vbf", "--curve-picture", "c.EMF", "--spectrum-picture", "s.png"});
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
    EXPECT_EQ(Read("c.EMF").mid(40, 4), QByteArray(" EMF"));
    // The spectrum chart's size in the window at start, as the PNG header gives it.
    const QByteArray Png = Read("s.png");
    ASSERT_TRUE(Png.startsWith("\x89PNG"));
    EXPECT_EQ(qFromBigEndian<quint32>(Png.constData() + 16), 661u);
    EXPECT_EQ(qFromBigEndian<quint32>(Png.constData() + 20), 232u);
    const TRun Sized = Run({"p.vbf", "--curve-picture", "c.svg", "--spectrum-picture", "s.pdf",
                            "--picture-size", "320x200"});
    ASSERT_EQ(Sized.Status, 0) << Sized.Err.toStdString();
    EXPECT_TRUE(Read("c.svg").contains("<svg"));
    EXPECT_TRUE(Read("c.svg").contains("width=\"320\""));
    EXPECT_TRUE(Read("s.pdf").startsWith("%PDF"));
}

TEST_F(BatchTest, OutputsNeverReplaceTheProjectOrEachOther) {
    const QByteArray Project = Read("p.vbf");
    const struct {
        QStringList Args;
        const char* Reason;
    } Refused[] = {
        {{"p.vbf", "--curve", "p.vbf"}, "p.vbf"},
        {{"p.vbf", "--curve-picture", "./p.vbf"}, "p.vbf"},
        {{"p.vbf", "--curve", "x.txt", "--samples", "x.txt"}, "x.txt"},
        {{"p.vbf", "--curve-picture", "c.bmp"}, "c.bmp"},
        {{"p.vbf", "--curve-picture", "c.png", "--picture-size", "0x10"}, "0x10"},
    };
    for (const auto& c : Refused) {
        const TRun r = Run(c.Args);
        EXPECT_EQ(r.Status, 2) << c.Reason;
        EXPECT_TRUE(r.Err.contains(c.Reason)) << r.Err.toStdString();
    }
    EXPECT_EQ(Read("p.vbf"), Project);
    EXPECT_FALSE(Exists("x.txt"));
    // Saving the project onto itself stays allowed.
    EXPECT_EQ(Run({"p.vbf", "--save-project", "p.vbf"}).Status, 0);
}

// A decaying 500 Hz tone of 4000 samples at 8000 Hz: on a line of the 2 Hz spectrum.
std::vector<double> Tone() {
    std::vector<double> v;
    for (int i = 0; i < 4000; ++i)
        v.push_back(0.8 * std::exp(-5.0 * i / 8000) * std::sin(2 * M_PI * 500 * i / 8000));
    return v;
}

// Without a project the first record gives dt, M, N = M and K = N div 2; the strongest
// line is the tone's, whatever the format of the record.
TEST_F(BatchTest, RecordsAloneMakeTheProject) {
    const std::vector<double> Values = Tone();
    std::vector<int> Pcm;
    QByteArray Csv = "time,value\n";
    for (std::size_t i = 0; i < Values.size(); ++i) {
        Pcm.push_back(static_cast<int>(std::lround(Values[i] * 2147483647.0)));
        Csv += QByteArray::number(i / 8000.0, 'g', 17) + ',' +
               QByteArray::number(Values[i], 'g', 17) + '\n';
    }
    ASSERT_TRUE(
        WriteAudio(Dir.filePath("tap.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_24, 8000, 1, Pcm));
    Write("tap.csv", Csv);
    Write("tap.uff", QByteArray::fromStdString(Uff58(4, Values, 0, 1 / 8000.0)));
    for (const char* File : {"tap.wav", "tap.csv", "tap.uff"}) {
        const TRun r = Run({"--record", File, "--spectrum", "s.txt", "--samples", "f.txt",
                            "--save-project", "out.vbf"});
        ASSERT_EQ(r.Status, 0) << File << r.Err.toStdString();
        EXPECT_EQ(Read("s.txt").count('\n'), 2000) << File;
        EXPECT_TRUE(Read("f.txt").startsWith("500\t")) << File << Read("f.txt").left(40).data();
        const QByteArray Project = Read("out.vbf");
        EXPECT_TRUE(Project.contains("M=4000\n")) << File;
        EXPECT_TRUE(Project.contains("SignalsCount=0\nRecordsCount=1\n")) << File;
        EXPECT_TRUE(Project.contains("[DFT]\nN=4000\nK=2000\nWindow=0\n")) << File;
        EXPECT_TRUE(Project.contains("File=" + QByteArray(File) + "\nChannel=1\n")) << File;
    }
    EXPECT_TRUE(Read("out.vbf").contains("dt=0,000125\n"));
}

// A record joins the project's signals sample by sample; the channel after the colon
// picks the file's channel. A project's record whose file is gone is told about once
// and adds nothing.
TEST_F(BatchTest, RecordsJoinTheProject) {
    // At 4000 Hz, the project's dt: the first samples add exactly.
    ASSERT_TRUE(WriteAudio(Dir.filePath("st.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 4000, 2,
                           {1 << 29, 1 << 30, 0, 0}));
    const struct {
        const char* Record;
        const char* FirstLine;
    } Cases[] = {{"st.wav", "0\t1,25\r"}, {"st.wav:2", "0\t1,5\r"}};
    for (const auto& c : Cases) {
        const TRun r = Run({"p.vbf", "--record", c.Record, "--curve", "c.txt"});
        ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
        EXPECT_EQ(Read("c.txt").split('\n')[0], QByteArray(c.FirstLine)) << c.Record;
        EXPECT_EQ(Read("c.txt").count('\n'), 200);
    }

    Write("gone.vbf", Read("p.vbf").replace("SignalsCount=1", "SignalsCount=1\r\nRecordsCount=1") +
                          "[Record0]\r\nFile=gone.wav\r\n");
    const TRun r = Run({"gone.vbf", "--curve", "c.txt", "--save-project", "-"});
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.Err),
              QStringLiteral("Не найдены файлы записей: %1.\n").arg(Dir.filePath("gone.wav")));
    EXPECT_EQ(Read("c.txt").split('\n')[0], QByteArray("0\t1\r"));
    EXPECT_TRUE(r.Out.contains("[Record0]\nFile=" + Dir.filePath("gone.wav").toUtf8()));
}

TEST_F(BatchTest, BadRecordsAreRefused) {
    ASSERT_TRUE(WriteAudio(Dir.filePath("mono.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1,
                           {1 << 29, 1 << 30}));
    Write("empty.csv", "");
    const struct {
        QStringList Args;
        int Status;
        const char* Reason;
    } Cases[] = {
        {{"--curve", "c.txt"}, 2, "--record"},
        {{"--record"}, 2, "Использование:"},
        {{"--record", "mono.wav:0", "--curve", "c.txt"}, 2, "mono.wav:0"},
        {{"--record", "mono.wav", "--curve", "mono.wav"}, 2, "mono.wav"},
        {{"--record", "mono.wav:2", "--curve", "c.txt"}, 1, "нет канала 2"},
        {{"p.vbf", "--record", "empty.csv", "--curve", "c.txt"}, 1, "empty.csv: файл пуст"},
        {{"--record", "absent.wav", "--curve", "c.txt"}, 1, "absent.wav"},
    };
    for (const auto& c : Cases) {
        const TRun r = Run(c.Args);
        EXPECT_EQ(r.Status, c.Status) << c.Reason;
        EXPECT_TRUE(QString::fromUtf8(r.Err).contains(QString::fromUtf8(c.Reason)))
            << r.Err.toStdString();
        EXPECT_FALSE(Exists("c.txt")) << c.Reason;
    }
}

} // namespace
