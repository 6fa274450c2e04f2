// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/records/RecordReader.h"
#include "RecordFiles.h"
#include "model/records/RecordErrors.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

class RecordReaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Dir.isValid()); }
    QString Path(const char* AName) const { return Dir.filePath(QString::fromLatin1(AName)); }
    QString Write(const char* AName, const std::string& AText) const {
        const QString File = Path(AName);
        EXPECT_TRUE(WriteBytes(File, QByteArray::fromStdString(AText)));
        return File;
    }
    QTemporaryDir Dir;
};

// Whole multiples of 2^24: exact in every sample format from 8 bits up, reading
// back as k / 128. The left channel rises from -128 to 127, the right one falls.
constexpr int Samples = 256;
int Left(int i) {
    return (i - 128) * (1 << 24);
}
int Right(int i) {
    return (127 - i) * (1 << 24);
}

TEST_F(RecordReaderTest, AudioFormatsGiveTheWrittenSamplesOfEitherChannel) {
    const struct {
        const char* Name;
        int Format;
    } Cases[] = {
        {"u8.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8},
        {"s16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        {"s24.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24},
        {"s32.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_32},
        {"f32.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
        {"f64.wav", SF_FORMAT_WAV | SF_FORMAT_DOUBLE},
        {"s16.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
        {"s16.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
        {"s24.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
        {"s16.au", SF_FORMAT_AU | SF_FORMAT_PCM_16},
    };
    std::vector<int> Stereo;
    for (int i = 0; i < Samples; ++i)
        Stereo.insert(Stereo.end(), {Left(i), Right(i)});
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(WriteAudio(Path(c.Name), c.Format, 8000, 2, Stereo));
        for (int Channel : {1, 2}) {
            const TRecordSamples r = ReadRecordFile(Path(c.Name), Channel);
            ASSERT_EQ(r.Values.size(), static_cast<std::size_t>(Samples));
            EXPECT_EQ(r.Step, 1.0 / 8000);
            EXPECT_EQ(r.Channels, 2);
            for (int i = 0; i < Samples; ++i)
                ASSERT_EQ(r.Values[i], (Channel == 1 ? Left(i) : Right(i)) / 2147483648.0) << i;
        }
    }
}

// Shortest round-trip texts of a known series: they read back to the same doubles.
std::vector<double> Series() {
    std::vector<double> v;
    for (int i = 0; i < 50; ++i)
        v.push_back(std::exp(-0.05 * i) * std::sin(0.7 * i) * 1e-3);
    return v;
}
std::string Text(double AValue) {
    char Buffer[64];
    const auto End = std::to_chars(Buffer, Buffer + sizeof Buffer, AValue).ptr;
    return std::string(Buffer, End);
}
std::string CommaText(double AValue) {
    std::string s = Text(AValue);
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

TEST_F(RecordReaderTest, TextLayoutsGiveTheWrittenSeries) {
    const std::vector<double> v = Series();
    std::string OneColumn, Csv = "time,a,b\n", Semicolon = "Время;Ускорение\n",
                           Tsv = "\xEF\xBB\xBFt\tv\r\n", Blanks, CommaOnly, BlankComma;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const double t = 0.5 + 0.25 * static_cast<double>(i);
        OneColumn += Text(v[i]) + "\n";
        Csv += Text(t) + "," + Text(-v[i]) + "," + Text(v[i]) + "\n";
        Semicolon += CommaText(t) + ";" + CommaText(v[i]) + "\n";
        Tsv += Text(t) + "\t" + Text(v[i]) + "\r\n" + (i == 3 ? "\r\n" : "");
        Blanks += "   " + Text(t) + "    " + Text(v[i]) + "  \n";
        CommaOnly += CommaText(v[i]) + "\n";
        BlankComma += CommaText(t) + " " + CommaText(v[i]) + "\n";
    }
    const struct {
        const char* Name;
        std::string Content;
        int Channel;
        double Step, Start;
    } Cases[] = {
        {"one.txt", OneColumn, 1, 0, 0},
        {"three.csv", Csv, 2, 0.25, 0.5},
        {"semi.csv", Semicolon, 1, 0.25, 0.5},
        {"tabs.tsv", Tsv, 1, 0.25, 0.5},
        {"blanks.dat", Blanks, 1, 0.25, 0.5},
        {"comma.txt", CommaOnly, 1, 0, 0},
        {"blankcomma.txt", BlankComma, 1, 0.25, 0.5},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Name);
        const TRecordSamples r = ReadRecordFile(Write(c.Name, c.Content), c.Channel);
        EXPECT_EQ(r.Values, v);
        EXPECT_EQ(r.Step, c.Step);
        EXPECT_EQ(r.Start, c.Start);
    }
}

// Times written with six decimals at 48 kHz stray from the grid by up to half a
// microsecond, a fortieth of the step: the rounding of the text is no fault.
TEST_F(RecordReaderTest, TimeRoundedByTheTextIsUniform) {
    std::string Csv;
    char Line[64];
    for (int i = 0; i < 48000; ++i) {
        std::snprintf(Line, sizeof Line, "%.6f,%d\n", i / 48000.0, i % 7);
        Csv += Line;
    }
    const TRecordSamples r = ReadRecordFile(Write("rounded.csv", Csv), 1);
    ASSERT_EQ(r.Values.size(), 48000u);
    EXPECT_NEAR(r.Step * 48000, 1, 1e-6);
}

TEST_F(RecordReaderTest, UniversalFilesGiveTheWrittenFunctions) {
    // k / 64 and 1 + j / 32 are exact in six digits.
    std::vector<double> v, Negative, x;
    for (int k = -40; k < 40; ++k) {
        v.push_back(k / 64.0);
        Negative.push_back(-1 - (k + 40) / 32.0);
        x.push_back(0.125 + (k + 40) * 0.0625);
    }
    const std::string Other = "    -1\n   151\nmodel\nNONE\n    -1\n"
                              "    -1\n   164\n         1SI\n    -1\n";
    // Thirteen digits in a 13-column field leave no blank between negative numbers.
    const std::string Together = Uff58(2, Negative, 0, 1e-3, {}, "%13.6E", 6);
    ASSERT_NE(Together.find("E+00-1."), std::string::npos);
    std::string DExponent = Uff58(4, v, 0.5, 2.5e-4);
    for (std::size_t At = DExponent.find('E', DExponent.rfind("NONE\n") + 5);
         At != std::string::npos; At = DExponent.find('E', At + 1))
        DExponent[At] = 'D';
    const struct {
        const char* Name;
        std::string Content;
        int Channel;
        std::vector<double> Values;
        double Step, Start;
        int Channels;
    } Cases[] = {
        {"single.uff", Other + Uff58(2, v, 0, 1e-3), 1, v, 1e-3, 0, 1},
        {"double.unv", Uff58(4, v, 0.5, 2.5e-4) + Other + Uff58(2, Negative, 0, 1e-3), 2, Negative,
         1e-3, 0, 2},
        {"together.uff", Together, 1, Negative, 1e-3, 0, 1},
        {"dexp.uff", DExponent, 1, v, 2.5e-4, 0.5, 1},
        {"uneven.uff", Uff58(4, v, 0, 0, x), 1, v, 0.0625, 0.125, 1},
        {"crlf.uff",
         [&] {
             std::string s = Uff58(2, v, 0, 1e-3), Crlf;
             for (char ch : s)
                 Crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
             return Crlf;
         }(),
         1, v, 1e-3, 0, 1},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Name);
        const TRecordSamples r = ReadRecordFile(Write(c.Name, c.Content), c.Channel);
        EXPECT_EQ(r.Values, c.Values);
        EXPECT_EQ(r.Step, c.Step);
        EXPECT_EQ(r.Start, c.Start);
        EXPECT_EQ(r.Channels, c.Channels);
    }
}

TEST_F(RecordReaderTest, BinaryUniversalFunction) {
    const std::vector<double> v{0.25, -1.5, 3e-7, 42};
    const std::string Ascii = Uff58(4, v, 0, 0.5);
    // Records 1 to 11 of the ASCII dataset, after its two opening lines.
    std::size_t At = 14;
    for (int i = 0; i < 11; ++i)
        At = Ascii.find('\n', At) + 1;
    char Line[100];
    std::snprintf(Line, sizeof Line, "%6d%c%6d%6d%12d%12zu%6d%6d%12d%12d\n", 58, 'b', 1, 2, 11,
                  v.size() * 8, 0, 0, 0, 0);
    std::string File = "    -1\n" + std::string(Line) + Ascii.substr(14, At - 14);
    for (double d : v) {
        char Raw[8];
        std::memcpy(Raw, &d, 8);
        File.append(Raw, 8);
    }
    File += "    -1\n" + Uff58(2, {1, 2}, 0, 1);
    const TRecordSamples r = ReadRecordFile(Write("binary.uff", File), 1);
    EXPECT_EQ(r.Values, v);
    EXPECT_EQ(r.Step, 0.5);
    EXPECT_EQ(r.Channels, 2);
    EXPECT_EQ(ReadRecordFile(Path("binary.uff"), 2).Values, (std::vector<double>{1, 2}));
}

TEST_F(RecordReaderTest, FormatByExtensionThenContent) {
    EXPECT_EQ(RecordFormatOf(QStringLiteral("a.WAV"), "1,2\n"), rfAudio);
    EXPECT_EQ(RecordFormatOf(QStringLiteral("a.unv"), "RIFF"), rfUniversal);
    EXPECT_EQ(RecordFormatOf(QStringLiteral("a.csv"), "    -1\n"), rfText);
    EXPECT_EQ(RecordFormatOf(QStringLiteral("a"), "\n    -1\n    58\n"), rfUniversal);
    EXPECT_EQ(RecordFormatOf(QStringLiteral("a.bin"), "fLaC\0\0"), rfAudio);
    EXPECT_EQ(RecordFormatOf(QStringLiteral("a"), "-1\n0.5\n"), rfUniversal);
    EXPECT_EQ(RecordFormatOf(QStringLiteral("a.out"), "0 -1\n1 0.5\n"), rfText);
    EXPECT_TRUE(IsRecordFileName(QStringLiteral("/x/tap.Flac")));
    EXPECT_FALSE(IsRecordFileName(QStringLiteral("/x/p.vbf")));
}

TEST_F(RecordReaderTest, BadInputNamesTheFileAndTheFault) {
    std::vector<int> Stereo(200, 1 << 20);
    ASSERT_TRUE(WriteAudio(Path("ok.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 2, Stereo));
    QFile Ok(Path("ok.wav"));
    ASSERT_TRUE(Ok.open(QIODevice::ReadOnly));
    const QByteArray Wav = Ok.readAll();
    QByteArray RateZero = Wav;
    std::memset(RateZero.data() + 24, 0, 4);
    WriteBytes(Path("rate0.wav"), RateZero);
    WriteBytes(Path("cut.wav"), Wav.left(Wav.size() - 101));
    WriteBytes(Path("junk.wav"), QByteArray("RIFF\x10\0\0\0WAVEjunkjunk", 20));
    WriteBytes(Path("empty.csv"), {});
    ASSERT_TRUE(WriteFloatAudio(Path("nan.wav"), 8000, {0.5f, std::nanf(""), 0}));
    std::string Complex = Uff58(2, {1, 2}, 0, 1);
    Complex.replace(Complex.find("         2         2"), 20, "         5         2");
    const std::string Cut = Uff58(2, {1, 2, 3, 4, 5, 6, 7}, 0, 1);

    const struct {
        QString File;
        int Channel;
        std::uint64_t Available;
        const char* Fault;
    } Cases[] = {
        {Path("rate0.wav"), 1, UnlimitedBytes, "частота дискретизации равна 0"},
        {Path("cut.wav"), 1, UnlimitedBytes, "файл обрезан"},
        {Path("junk.wav"), 1, UnlimitedBytes, "формат не распознан или файл поврежден"},
        {Path("ok.wav"), 3, UnlimitedBytes, "нет канала 3 (каналов в файле: 2)"},
        {Path("ok.wav"), 1, 799, "записи не хватит памяти"},
        {Path("nan.wav"), 1, UnlimitedBytes, "отсчет 2 не является конечным числом"},
        {Path("empty.csv"), 1, UnlimitedBytes, "файл пуст"},
        {Path("absent.wav"), 1, UnlimitedBytes, "файл не найден"},
        {Write("header.csv", "t,v\nx,y\n"), 1, UnlimitedBytes, "в файле нет строк с числами"},
        {Write("rows.csv", "0;1\n1;2;3\n"), 1, UnlimitedBytes,
         "в строке 2 столбцов 3, а в первой строке чисел 2"},
        {Write("gap.csv", "t;v\n0;1\n1;2\n3;3\n"), 1, UnlimitedBytes,
         "время в первом столбце идет неравномерно (строка 3)"},
        {Write("back.csv", "1;1\n0;2\n"), 1, UnlimitedBytes,
         "время в первом столбце не возрастает"},
        {Write("one.csv", "0;1\n"), 1, UnlimitedBytes,
         "по одной строке нельзя узнать шаг по времени"},
        {Write("col.csv", "0;1\n1;2\n"), 2, UnlimitedBytes, "нет канала 2 (каналов в файле: 1)"},
        {Write("nan.csv", "0;1\n1;nan\n"), 1, UnlimitedBytes,
         "в строке 2 значение не является конечным числом"},
        {Write("inf.txt", "1\n\n1e999\n"), 1, UnlimitedBytes,
         "в строке 3 значение не является конечным числом"},
        {Write("word.csv", "0;1\n1;два\n"), 1, UnlimitedBytes, "в строке 2 не число"},
        {Write("big.txt", "1\n2\n3\n"), 1, 16, "записи не хватит памяти"},
        {Write("complex.uff", Complex), 1, UnlimitedBytes,
         "комплексные значения не поддерживаются"},
        {Write("cut.uff", Cut.substr(0, Cut.size() - 30)), 1, UnlimitedBytes,
         "данные функции обрезаны"},
        {Write("none.uff", "    -1\n   151\nmodel\n    -1\n"), 1, UnlimitedBytes,
         "в файле нет функций (набор 58)"},
        {Write("two.uff", Uff58(2, {1}, 0, 1) + Uff58(2, {1}, 0, 1)), 3, UnlimitedBytes,
         "нет канала 3 (каналов в файле: 2)"},
        {Write("nan.uff", Uff58(2, {1, NAN}, 0, 1)), 1, UnlimitedBytes,
         "в строке 14 значение не является конечным числом"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Fault);
        try {
            ReadRecordFile(c.File, c.Channel, c.Available);
            ADD_FAILURE() << "no error";
        } catch (const ERecordError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Не удается прочитать запись из файла %1: %2")
                                       .arg(c.File, QString::fromUtf8(c.Fault)));
        }
    }
}

} // namespace
