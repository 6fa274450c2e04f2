// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Progress.h"
#include "analysis/WorkCost.h"
#include "model/SignalTypes.h"
#include "util/NoFillVector.h"

#include <complex>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class TWorkers;

// The real FFT's plan and buffer of the last transform size, kept between
// recalculations: planning a transform costs more than running it.
struct TChirpCache;

class TDftWorkspace {
public:
    TDftWorkspace();
    ~TDftWorkspace();
    TDftWorkspace(const TDftWorkspace&) = delete;
    TDftWorkspace& operator=(const TDftWorkspace&) = delete;

    // A buffer of N reals that transforms into N / 2 + 1 complex bins. Raises
    // std::bad_alloc when it cannot be had.
    double* Prepare(int N);
    // How many of the first values of the buffer may differ from zero: a small
    // transform keeps its input, a large one runs in place and leaves none zero.
    std::size_t Written() const;
    void SetWritten(std::size_t ACount);
    const std::complex<double>* Execute(TWorkers* AWorkers = nullptr);
    // What a short chirp-z transform keeps between recalculations.
    TChirpCache& ChirpCache();

private:
    struct TState;
    std::unique_ptr<TState> FState;
};

// The three ways to K bins of an N-point DFT of L = min(M, N) samples:
// - Fft: the whole transform, a real FFT (split in short passes for large N);
// - Direct: the sum over the inputs, bin by bin, K L terms;
// - Chirp: Bluestein's chirp-z transform of just the wanted bins, a convolution of
//   size about L + K done by FFT, in blocks of bins when K is large.
enum class TDftMethod { Fft, Direct, Chirp };

struct TDftChoice {
    TDftMethod Method;
    TWork Work;          // including the K results and the folding of mirrored bins
    double Seconds;      // of that work on one core; infinite for a way that cannot serve
    std::uint64_t Bytes; // working memory besides the curve and the K results
};

// The way of least work whose working memory stays proportional to L + K; the whole
// FFT qualifies only while its N-sized buffer is not much larger than that.
// AWeighted: whether a window other than wkNone weights the inputs.
TDftChoice ChooseDft(std::int64_t AInputs, int N, int K, bool AWeighted = true);
// The cost of one way.
TDftChoice DftCost(TDftMethod AMethod, std::int64_t AInputs, int N, int K, bool AWeighted = true);

// Magnitudes 2 * |X(k)| / N of the bins k = 0 .. K - 1 of the N-point DFT of the
// curve weighted by a window of kind AWindow that spans all of the curve; zero-padded
// when N exceeds the curve, truncated when N is smaller. Bins above N / 2 mirror
// those below it, and bins from N on repeat with period N. Every way agrees with the
// direct sum of theta = ((k * 2 pi) * i) / N within 1e-9 of the largest magnitude,
// and gives the same bits whatever the number of workers.
TNoFillVector<double> SpectrumMagnitudes(std::span<const double> ACurve, TWindowKind AWindow, int N,
                                         int K, TDftWorkspace* AWorkspace = nullptr,
                                         TWorkers* AWorkers = nullptr,
                                         TProgress* AProgress = nullptr);

// The same by a given way, whatever it costs.
TNoFillVector<double> SpectrumMagnitudesBy(TDftMethod AMethod, std::span<const double> ACurve,
                                           TWindowKind AWindow, int N, int K,
                                           TDftWorkspace* AWorkspace = nullptr,
                                           TWorkers* AWorkers = nullptr,
                                           TProgress* AProgress = nullptr);
