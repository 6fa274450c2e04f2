// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cmath>
#include <numbers>
#include <span>
#include <vector>

// The plain direct summation of one bin, theta = ((k * 2 pi) * i) / N, over the inputs
// given (already weighted); the zero padding beyond them adds nothing. The reference
// every way of the DFT answers to.
inline double ReferenceBin(std::span<const double> x, int N, long long k) {
    double re = 0, im = 0;
    for (long long i = 0; i < static_cast<long long>(x.size()) && i < N; ++i) {
        const double Theta = ((k * 2 * std::numbers::pi) * i) / N;
        re = re + std::cos(Theta) * x[i];
        im = im - std::sin(Theta) * x[i];
    }
    return 2 * std::sqrt(re * re + im * im) / N;
}

inline std::vector<double> ReferenceMagnitudes(std::span<const double> x, int N, int K) {
    std::vector<double> Result(K);
    for (int k = 0; k < K; ++k)
        Result[k] = ReferenceBin(x, N, k);
    return Result;
}
