// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading records of the sizes a measurement gives, and adding one into the curve:
// vibrona_bench --benchmark_filter=Record
#include "RecordFiles.h"
#include "analysis/RecordCurve.h"
#include "model/records/RecordReader.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <cmath>

namespace {

// The files are made once per run, on first use.
class TRecordFiles {
public:
    static const TRecordFiles& Get() {
        static const TRecordFiles Files;
        return Files;
    }
    QString Wav, Csv, Uff;

private:
    TRecordFiles() {
        Wav = Dir.filePath(QStringLiteral("tap.wav"));
        Csv = Dir.filePath(QStringLiteral("tap.csv"));
        Uff = Dir.filePath(QStringLiteral("tap.uff"));
        // Ten minutes of 48 kHz stereo, 16 bits.
        const int Frames = 10 * 60 * 48000;
        std::vector<int> Stereo(2 * static_cast<std::size_t>(Frames));
        for (std::size_t i = 0; i < Stereo.size(); ++i)
            Stereo[i] = static_cast<int>(std::sin(0.001 * static_cast<double>(i)) * 2e9);
        WriteAudio(Wav, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, Stereo);

        std::string Text;
        char Line[64];
        for (int i = 0; i < 1000000; ++i) {
            Text.append(Line,
                        static_cast<std::size_t>(std::snprintf(Line, sizeof Line, "%.9f,%.9g\n",
                                                               i / 48000.0, std::sin(0.001 * i))));
        }
        WriteBytes(Csv, QByteArray::fromStdString(Text));

        std::vector<double> Values(1000000);
        for (std::size_t i = 0; i < Values.size(); ++i)
            Values[i] = std::sin(0.001 * static_cast<double>(i));
        WriteBytes(Uff, QByteArray::fromStdString(Uff58(2, Values, 0, 1 / 48000.0)));
    }
    QTemporaryDir Dir;
};

void Read(benchmark::State& AState, const QString& AFile) {
    std::size_t n = 0;
    for (auto _ : AState)
        n = ReadRecordFile(AFile, 1).Values.size();
    AState.counters["samples"] = static_cast<double>(n);
    AState.counters["file_MB"] = QFileInfo(AFile).size() / 1e6;
}

void RecordReadWav(benchmark::State& AState) {
    Read(AState, TRecordFiles::Get().Wav);
}
void RecordReadCsv(benchmark::State& AState) {
    Read(AState, TRecordFiles::Get().Csv);
}
void RecordReadUff(benchmark::State& AState) {
    Read(AState, TRecordFiles::Get().Uff);
}

// 2^20 samples into a 2^20-point curve: at the curve's step (range 1) or at another
// one, interpolated (range 0).
void RecordAddIntoCurve(benchmark::State& AState) {
    const std::size_t n = 1 << 20;
    std::vector<double> Samples(n);
    for (std::size_t i = 0; i < n; ++i)
        Samples[i] = std::sin(0.01 * static_cast<double>(i));
    const double dt = 1 / 48000.0;
    TRecord Record(QStringLiteral("tap.wav"));
    Record.SetSamples({std::move(Samples), AState.range(0) ? dt : dt * 0.7, 0, 1});
    Record.SetShift(0.1 * dt);
    if (AState.range(0))
        Record.SetShift(0);
    std::vector<double> Curve(n, 0.0);
    for (auto _ : AState) {
        AddRecordToCurve(Record, dt, 0, Curve);
        benchmark::DoNotOptimize(Curve.data());
    }
}

} // namespace

BENCHMARK(RecordReadWav)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordReadCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordReadUff)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordAddIntoCurve)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
