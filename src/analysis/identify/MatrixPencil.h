// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Progress.h"
#include "analysis/WorkCost.h"

#include <complex>
#include <cstddef>
#include <cstdint>
#include <vector>

// The poles z of a sum of damped complex exponentials, y(k) = sum of h z^k, found in
// a uniformly sampled series by the matrix pencil method (Hua and Sarkar, 1990).
struct TPencilPoles {
    std::vector<std::complex<double>> Poles; // conjugate pairs side by side
    int Order = 0;                           // how many singular values were kept
};

// The pencil parameter is a third of the series, and at most AMaxOrder poles are
// kept: as many as the singular values above the noise floor.
TPencilPoles PencilPoles(const std::vector<double>& AValues, int AMaxOrder, TProgress& AProgress);

// Estimated seconds and working bytes of PencilPoles for n values.
TWork PencilWork(std::size_t n, int AMaxOrder);
std::uint64_t PencilBytes(std::size_t n, int AMaxOrder);
