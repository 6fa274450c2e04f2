#pragma once

#include <cmath>
#include <numbers>
#include <vector>

// The plain direct summation over every i < N, with zero padding beyond the input
// and the windowed values given as they are: the reference the fast DFT answers to.
inline std::vector<double> ReferenceMagnitudes(const std::vector<double>& x, int N, int K) {
    std::vector<double> Result(K);
    for (int k = 0; k < K; ++k) {
        double re = 0, im = 0;
        for (int i = 0; i < N; ++i) {
            const double xi = i < static_cast<int>(x.size()) ? x[i] : 0.0;
            const double Theta = ((k * 2 * std::numbers::pi) * i) / N;
            re = re + std::cos(Theta) * xi;
            im = im - std::sin(Theta) * xi;
        }
        Result[k] = 2 * std::sqrt(re * re + im * im) / N;
    }
    return Result;
}
