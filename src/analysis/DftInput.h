// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Progress.h"
#include "analysis/ResultRange.h"
#include "analysis/Window.h"
#include "analysis/WorkCost.h"
#include "analysis/Workers.h"
#include "model/SignalTypes.h"
#include "util/NoFillVector.h"

#include <bit>
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The curve with its window weights, read sample by sample: the L = min(M, N)
// samples that enter an N-point transform.
struct TDftInput {
    std::span<const double> Curve;
    TWindowKind Window;
    std::size_t L;

    double operator[](std::size_t i) const {
        if (Window == wkNone)
            return Curve[i];
        return CalcWindow(Window, static_cast<int>(i), static_cast<int>(Curve.size())) * Curve[i];
    }
    // Samples [AFirst, ALast) into AOut[AFirst ..].
    template <typename T> void Copy(std::size_t AFirst, std::size_t ALast, T* AOut) const {
        if (Window == wkNone)
            for (std::size_t i = AFirst; i < ALast; ++i)
                AOut[i] = T(Curve[i]);
        else
            for (std::size_t i = AFirst; i < ALast; ++i)
                AOut[i] = T((*this)[i]);
    }
    // The work of reading ACount samples.
    TWork Work(std::size_t ACount) const { return ReadWork(ACount, Window != wkNone); }
    static TWork ReadWork(std::uint64_t ACount, bool AWeighted);
};

// What a way of computing the bins takes: its work and its working memory besides
// the curve and the K results.
struct TDftPlanCost {
    TWork Work;
    std::uint64_t Bytes = 0;
};

// Bins from 0 to N div 2 are all there are: the rest mirror or repeat them.
std::int64_t DistinctBins(int N, int K);

// |z|: the one formula every way of the DFT takes its magnitudes with.
inline double Magnitude(std::complex<double> z) {
    return BinMagnitude(z.real(), z.imag());
}

// AOut[k] = 2 |AIn[k]| / N for k < ACount, in wide vectors where the processor has them.
void BinMagnitudes(const std::complex<double>* AIn, std::size_t ACount, int N, double* AOut);

// Runs APass(Divide) with Divide(x) = x / N. Dividing by a power of two is multiplying
// by its exact reciprocal, the same bits and quicker. Always inlined, so that the loop
// in APass is compiled for its caller's processor clone and runs in wide vectors.
template <typename TPass>
[[gnu::always_inline]] inline void WithDivisionBy(int N, const TPass& APass) {
    if (std::has_single_bit(static_cast<unsigned>(N))) {
        const double Reciprocal = 1.0 / N;
        APass([Reciprocal](double x) { return x * Reciprocal; });
    } else {
        const double n = N;
        APass([n](double x) { return x / n; });
    }
}

// Result[k] for k >= AComputed from the bins below, and its work.
TWork FoldWork(std::uint64_t K, std::uint64_t AComputed);
void FoldBins(TNoFillVector<double>& AResult, int N, std::size_t AComputed, TWorkers* AWorkers,
              TProgress& AProgress);
