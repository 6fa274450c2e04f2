// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/FftKernel.h"

#include <cstdint>
#include <memory>

// What a chirp-z transform of one block of bins keeps from one recalculation to the
// next with the same N, input count and bins: the chirp of the inputs, the transform
// of the chirp taps, and the FFT's plan. Only the inputs change in between.
struct TChirpCache {
    int N = 0;
    std::uint64_t L = 0, Bins = 0;
    std::unique_ptr<TComplexFft> Fft;
    TComplexArray InputChirp; // conj(c(n)) for n < L
    TComplexArray Kernel;     // the transform of d(m) from m = 1 - L on
    TComplexArray Buffer;     // the inputs' convolution, P points

    bool Serves(int AN, std::uint64_t AL, std::uint64_t ABins) const {
        return Fft && N == AN && L == AL && Bins == ABins;
    }
};
