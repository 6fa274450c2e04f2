// The text of a curve of 2^24 points, formatted and handed to a sink that only counts
// the bytes: the cost of the export itself, apart from where the text goes. On one
// thread and on every CPU: vibrona_bench --benchmark_filter=Export
#include "analysis/TextExport.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

void ExportCurveText(benchmark::State& AState) {
    const std::size_t n = std::size_t{1} << 24;
    std::vector<double> Time(n), Value(n);
    double t = 0;
    for (std::size_t i = 0; i < n; ++i) {
        Time[i] = t;
        Value[i] = std::sin(314.159 * t) + 0.5 * std::sin(942.477 * t);
        t = t + 0.00025;
    }
    const TFormatSettings Russian{QChar(0x2C), QChar(0xA0)};
    double Bytes = 0;
    for (auto _ : AState) {
        Bytes = 0;
        WritePointsText(
            Time, Value,
            [&](QByteArrayView APiece) { Bytes += static_cast<double>(APiece.size()); }, Russian,
            static_cast<int>(AState.range(0)));
    }
    AState.counters["MB"] = Bytes / 1e6;
}

} // namespace

BENCHMARK(ExportCurveText)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
