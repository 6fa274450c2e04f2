// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Speed of the whole computation of a recalculation on the reference cases, and of
// the plain direct DFT for comparison. Each case shows the estimate of EstimateCost
// beside it (est_s, est_MiB). Run alone with a filter to read the peak memory of one
// case: vibrona_bench --benchmark_filter=Huge255
#include "PeakMemory.h"
#include "ReferenceDft.h"
#include "analysis/Dft.h"
#include "analysis/Recalculation.h"
#include "analysis/Workers.h"

#include <benchmark/benchmark.h>

#include <numbers>

namespace {

// A meander of n odd harmonics of 50 Hz, or the default damped oscillation for n = 0.
void FillHarmonics(TSignals& AList, int n) {
    AList.Clear();
    if (n == 0) {
        AList.Add(std::make_unique<TSignal>(1, 0, 50, 60));
        return;
    }
    for (int j = 0; j < n; ++j) {
        const int k = 2 * j + 1;
        AList.Add(std::make_unique<TSignal>((4 / std::numbers::pi) / k, 0, 50.0 * k, 0));
    }
}

TCalcSettings Settings(int M, int N, int K) {
    TCalcSettings s;
    s.M = M;
    s.N = N;
    s.K = K;
    return s;
}

// AThreads: 0 for every CPU the process may run on.
void RunCase(benchmark::State& AState, int ASignals, const TCalcSettings& ASettings,
             int AThreads = 0) {
    TSignals List;
    FillHarmonics(List, ASignals);
    // The window keeps one workspace for all its recalculations.
    TDftWorkspace Workspace;
    for (auto _ : AState) {
        TRecalcOptions Options;
        Options.Workspace = &Workspace;
        Options.Threads = AThreads;
        TCalcResult r = Recalculate(List, ASettings, Options);
        benchmark::DoNotOptimize(r.Characteristic.data());
    }
    const TCalcCost Cost = EstimateCost(List, ASettings, AThreads);
    AState.counters["peak_MiB"] = PeakMiB();
    AState.counters["est_s"] = Cost.Seconds;
    AState.counters["est_MiB"] = static_cast<double>(Cost.Bytes) / (1 << 20);
}

void Defaults(benchmark::State& s) {
    RunCase(s, 0, TCalcSettings{});
}
void Medium5(benchmark::State& s) {
    RunCase(s, 5, Settings(65536, 65536, 32768));
}
void Large50(benchmark::State& s) {
    RunCase(s, 50, Settings(1 << 20, 1 << 20, 1 << 19));
}
void Huge255(benchmark::State& s) {
    RunCase(s, 255, Settings(1 << 20, 1 << 20, 1 << 19));
}
// Huge255 on one thread and on every CPU: how the work scales with the threads.
void Huge255Threads(benchmark::State& s) {
    const int Threads = static_cast<int>(s.range(0));
    RunCase(s, 255, Settings(1 << 20, 1 << 20, 1 << 19), Threads);
    s.counters["threads"] = Threads > 0 ? Threads : AvailableCpus();
}
void FewBinsOfHugeN(benchmark::State& s) {
    RunCase(s, 0, Settings(1000, 1 << 24, 200));
}
// Many bins of the largest N: within 5 s and in memory that follows M + K.
void ManyBinsOfLargestN(benchmark::State& s) {
    RunCase(s, 0, Settings(200, 2147483647, 1 << 24));
}
// A long curve into a few of the bins of a huge N: within 2 s, memory as M + K.
void LongCurveHugeN(benchmark::State& s) {
    RunCase(s, 0, Settings(1 << 20, 1 << 30, 1 << 20));
}
// The whole FFT past one FFTW call.
void SplitFft(benchmark::State& s) {
    RunCase(s, 1, Settings(1 << 22, 1 << 22, 1 << 21));
}
// The direct sum over a long curve for a few bins.
void FewBinsLongCurve(benchmark::State& s) {
    RunCase(s, 1, Settings(1 << 22, 2147483647, 8));
}
// The curve of many signals.
void ManySignals(benchmark::State& s) {
    RunCase(s, 2000, Settings(1 << 18, 64, 32));
}

void DirectDft(benchmark::State& AState, int ASignals, const TCalcSettings& ASettings) {
    TSignals List;
    FillHarmonics(List, ASignals);
    const TCalcResult r = Recalculate(List, ASettings);
    for (auto _ : AState) {
        auto m = ReferenceMagnitudes(r.CurveValue, ASettings.N, ASettings.K);
        benchmark::DoNotOptimize(m.data());
    }
}
void DirectDftDefaults(benchmark::State& s) {
    DirectDft(s, 0, TCalcSettings{});
}
void DirectDftMedium5(benchmark::State& s) {
    DirectDft(s, 5, Settings(65536, 65536, 32768));
}

} // namespace

BENCHMARK(Defaults)->Unit(benchmark::kMicrosecond);
BENCHMARK(Medium5)->Unit(benchmark::kMillisecond);
BENCHMARK(Large50)->Unit(benchmark::kMillisecond);
BENCHMARK(Huge255)->Unit(benchmark::kMillisecond);
BENCHMARK(Huge255Threads)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FewBinsOfHugeN)->Unit(benchmark::kMillisecond);
BENCHMARK(ManyBinsOfLargestN)->Unit(benchmark::kMillisecond);
BENCHMARK(LongCurveHugeN)->Unit(benchmark::kMillisecond);
BENCHMARK(SplitFft)->Unit(benchmark::kMillisecond);
BENCHMARK(FewBinsLongCurve)->Unit(benchmark::kMillisecond);
BENCHMARK(ManySignals)->Unit(benchmark::kMillisecond);
BENCHMARK(DirectDftDefaults)->Unit(benchmark::kMillisecond);
BENCHMARK(DirectDftMedium5)->Unit(benchmark::kSecond)->Iterations(1);

BENCHMARK_MAIN();
