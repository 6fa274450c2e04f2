// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// The throughput of each kind of counted work on one core, the figures that
// src/analysis/WorkCost.cpp turns work into seconds with. Each case runs a computation
// dominated by one kind, on the calling thread alone, and shows ns_per_unit: its time
// less the other kinds it counts, per unit of its own kind. Run alone on a quiet
// machine and copy the figures: vibrona_bench --benchmark_filter=Throughput
#include "analysis/CurveSynthesis.h"
#include "analysis/Dft.h"
#include "analysis/FftKernel.h"
#include "analysis/TextExport.h"
#include "analysis/WorkCost.h"
#include "util/HugePages.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <ctime>
#include <numbers>
#include <vector>

namespace {

// The processor time of this thread: on a shared machine closer to the truth than
// the time on the wall.
double ThreadSeconds() {
    timespec Now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Now);
    return static_cast<double>(Now.tv_sec) + 1e-9 * static_cast<double>(Now.tv_nsec);
}

// Seconds of the fastest of a few runs of AStep.
template <typename TStep> double Fastest(benchmark::State& AState, TStep AStep) {
    double Best = 1e300;
    for (auto _ : AState) {
        const double Start = ThreadSeconds();
        AStep();
        Best = std::min(Best, ThreadSeconds() - Start);
    }
    return Best;
}

void Report(benchmark::State& AState, double ASeconds, const TWork& AOthers, double AUnits) {
    AState.counters["ns_per_unit"] = (ASeconds - Seconds(AOthers)) / AUnits * 1e9;
}

void ThroughputBytes(benchmark::State& AState) {
    const std::size_t n = std::size_t{16} << 20;
    std::vector<char> a(n, 1), b(n, 2);
    const double s = Fastest(AState, [&] {
        std::memcpy(b.data(), a.data(), n);
        benchmark::DoNotOptimize(b.data());
    });
    Report(AState, s, {}, 2.0 * n);
}

void ThroughputFreshBytes(benchmark::State& AState) {
    const std::size_t n = std::size_t{64} << 20;
    const double s = Fastest(AState, [&] {
        std::vector<double> v;
        ResizeHuge(v, n / sizeof(double), 1.0);
        benchmark::DoNotOptimize(v.data());
    });
    Report(AState, s, {}, static_cast<double>(n));
}

void ThroughputFunctions(benchmark::State& AState) {
    std::vector<double> x(16384);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = std::sin(0.1 * static_cast<double>(i));
    const int N = 1 << 24, K = 64;
    const TDftChoice c =
        DftCost(TDftMethod::Direct, static_cast<std::int64_t>(x.size()), N, K, false);
    const double s = Fastest(AState, [&] {
        benchmark::DoNotOptimize(SpectrumMagnitudesBy(TDftMethod::Direct, x, wkNone, N, K).data());
    });
    TWork Others = c.Work;
    Others.Functions = 0;
    Report(AState, s, Others, c.Work.Functions);
}

// The curve of AList over M samples, per unit of the kind of work AKind.
void CurveThroughput(benchmark::State& AState, const TSignals& AList, int M, double TWork::*AKind) {
    TCalcSettings Settings;
    Settings.M = M;
    const TWork Work = CurveWork(M, AList.Count());
    const double s = Fastest(
        AState, [&] { benchmark::DoNotOptimize(SampleCurve(AList, Settings).Value.data()); });
    TWork Others = Work;
    Others.*AKind = 0;
    Report(AState, s, Others, Work.*AKind);
}

// A short curve: its terms advance one at a time in extended precision.
void ThroughputExtendedRotations(benchmark::State& AState) {
    TSignals List;
    for (int j = 0; j < 16; ++j) {
        List.Add(std::make_unique<TSignal>(1.0 / (j + 1), 0, 50.0 * (2 * j + 1), 10));
        List[j].Calc();
    }
    CurveThroughput(AState, List, 4096, &TWork::ExtendedRotations);
}

void ThroughputRotations(benchmark::State& AState) {
    TSignals List;
    for (int j = 0; j < 255; ++j) {
        const int k = 2 * j + 1;
        List.Add(std::make_unique<TSignal>((4 / std::numbers::pi) / k, 0, 50.0 * k, 0));
        List[j].Calc();
    }
    CurveThroughput(AState, List, 1 << 20, &TWork::Rotations);
}

void ThroughputButterflies(benchmark::State& AState) {
    const int N = 1 << 20;
    std::vector<double> x(N);
    for (int i = 0; i < N; ++i)
        x[i] = std::sin(0.1 * i);
    TDftWorkspace Workspace;
    const TDftChoice c = DftCost(TDftMethod::Fft, N, N, 1, false);
    const double s = Fastest(AState, [&] {
        benchmark::DoNotOptimize(
            SpectrumMagnitudesBy(TDftMethod::Fft, x, wkNone, N, 1, &Workspace).data());
    });
    TWork Others = c.Work;
    Others.Butterflies = 0;
    Report(AState, s, Others, c.Work.Butterflies);
}

// A short complex FFT of a size planned anew: the fixed cost of a transform.
void ThroughputTransforms(benchmark::State& AState) {
    const std::size_t n = 4096;
    TComplexArray Data = AllocComplex(n);
    std::fill(Data.get(), Data.get() + n, std::complex<double>(1, 0));
    TProgress Silent;
    const TWork Work = TComplexFft::Work(n);
    const double s = Fastest(AState, [&] {
        TComplexFft Fft(n);
        Fft.Forward(Data.get(), nullptr, Silent);
    });
    TWork Others = Work;
    Others.Transforms = 0;
    Report(AState, s, Others, Work.Transforms);
}

void ThroughputNumbers(benchmark::State& AState) {
    const std::size_t n = std::size_t{1} << 18;
    std::vector<double> x(n), y(n);
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = 0.00025 * static_cast<double>(i);
        y[i] = std::sin(0.1 * static_cast<double>(i));
    }
    const TWork Work = TextExportWork(n, 2);
    std::size_t Bytes = 0;
    const double s = Fastest(AState, [&] {
        WritePointsText(
            x, y, [&](QByteArrayView APiece) { Bytes += APiece.size(); }, TFormatSettings{}, 1);
    });
    TWork Others = Work;
    Others.Numbers = 0;
    Report(AState, s, Others, Work.Numbers);
}

} // namespace

BENCHMARK(ThroughputBytes)->Iterations(20);
BENCHMARK(ThroughputFreshBytes)->Iterations(5);
BENCHMARK(ThroughputFunctions)->Iterations(5);
BENCHMARK(ThroughputRotations)->Iterations(5);
BENCHMARK(ThroughputExtendedRotations)->Iterations(50);
BENCHMARK(ThroughputButterflies)->Iterations(10);
BENCHMARK(ThroughputTransforms)->Iterations(50);
BENCHMARK(ThroughputNumbers)->Iterations(5);
