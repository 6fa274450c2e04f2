// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// The text of a curve of 2^24 points, formatted and handed to a sink that only counts
// the bytes: the cost of the export itself, apart from where the text goes; and the
// same written piece by piece into a file, as a streaming export would. On one thread
// and on every CPU: vibrona_bench --benchmark_filter=Export
#include "analysis/TextExport.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <vector>

namespace {

struct TLongCurve {
    TLongCurve() : Time(n), Value(n) {
        double t = 0;
        for (std::size_t i = 0; i < n; ++i) {
            Time[i] = t;
            Value[i] = std::sin(314.159 * t) + 0.5 * std::sin(942.477 * t);
            t = t + 0.00025;
        }
    }
    static constexpr std::size_t n = std::size_t{1} << 24;
    std::vector<double> Time, Value;
    const TFormatSettings Russian{QChar(0x2C), QChar(0xA0)};
};

void ExportCurveText(benchmark::State& AState) {
    const TLongCurve Curve;
    double Bytes = 0;
    for (auto _ : AState) {
        Bytes = 0;
        WritePointsText(
            Curve.Time, Curve.Value,
            [&](QByteArrayView APiece) { Bytes += static_cast<double>(APiece.size()); },
            Curve.Russian, static_cast<int>(AState.range(0)));
    }
    AState.counters["MB"] = Bytes / 1e6;
}

void ExportCurveTextToFile(benchmark::State& AState) {
    const TLongCurve Curve;
    QTemporaryDir Dir;
    for (auto _ : AState) {
        QFile File(Dir.filePath(QStringLiteral("curve.txt")));
        if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            AState.SkipWithError("the file cannot be written");
            break;
        }
        WritePointsText(
            Curve.Time, Curve.Value,
            [&](QByteArrayView APiece) { File.write(APiece.data(), APiece.size()); }, Curve.Russian,
            static_cast<int>(AState.range(0)));
    }
}

} // namespace

BENCHMARK(ExportCurveText)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(ExportCurveTextToFile)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
