// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Speed of identifying damped oscillations in a span: 4,096 samples with ten
// oscillations within 50 ms, 65,536 within 1 s, and a very long span no slower than
// the bound it is cut to. The machine is shared: read the minimum of the repetitions.
// Run one case alone with a filter to read its peak memory beside the estimate.
#include "PeakMemory.h"
#include "analysis/identify/Identification.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

// Ten damped oscillations from 120 Hz up, a constant and noise 40 dB down, at 10 kHz.
std::vector<double> TenOscillations(std::size_t n) {
    const double dt = 1e-4;
    const double Duration = static_cast<double>(std::min<std::size_t>(n, 65536)) * dt;
    std::vector<double> y(n, 0.1);
    for (int j = 0; j < 10; ++j) {
        const double W = 2 * std::numbers::pi * 120 * std::pow(1.4, j);
        const double D = (0.5 + 0.3 * j) / Duration; // decays by less than 99 %
        const double Height = 1.0 / (1 + j);
        for (std::size_t k = 0; k < n; ++k) {
            const double t = static_cast<double>(k) * dt;
            y[k] += Height * std::exp(-D * t) * std::sin(W * t + j);
        }
    }
    std::mt19937 Random(1);
    std::normal_distribution<double> Noise(0, 0.005);
    for (double& v : y)
        v += Noise(Random);
    return y;
}

void Identify(benchmark::State& AState, std::size_t n, int AMaxCount = IdentifyDefaultCount) {
    const std::vector<double> y = TenOscillations(n);
    std::size_t Found = 0;
    TIdentifyOptions Options;
    Options.MaxCount = AMaxCount;
    for (auto _ : AState) {
        const TIdentification r = IdentifyOscillations(y, 1e-4, Options);
        Found = r.Oscillations.size();
        benchmark::DoNotOptimize(r.ResidualRms);
    }
    AState.counters["found"] = static_cast<double>(Found);
    const TCalcCost Cost = EstimateIdentifyCost(n, AMaxCount);
    AState.counters["est_s"] = Cost.Seconds;
    AState.counters["est_MiB"] = static_cast<double>(Cost.Bytes) / (1 << 20);
    AState.counters["peak_MiB"] = PeakMiB();
}

void Span4096(benchmark::State& s) {
    Identify(s, 4096);
}
void Span65536(benchmark::State& s) {
    Identify(s, 65536);
}
// Four million samples: cut to the bound.
void VeryLongSpan(benchmark::State& s) {
    Identify(s, std::size_t{1} << 22);
}
// The same with the most oscillations that may be asked for: the worst case.
void VeryLongSpanMostCount(benchmark::State& s) {
    Identify(s, std::size_t{1} << 22, IdentifyMaxCount);
}

double Minimum(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

} // namespace

BENCHMARK(Span4096)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ComputeStatistics("min", Minimum);
BENCHMARK(Span65536)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ComputeStatistics("min", Minimum);
BENCHMARK(VeryLongSpan)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ComputeStatistics("min", Minimum);
BENCHMARK(VeryLongSpanMostCount)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(2)
    ->ComputeStatistics("min", Minimum);
