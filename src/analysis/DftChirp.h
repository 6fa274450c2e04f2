// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/DftInput.h"

// Bluestein's chirp-z transform of just the wanted bins: a convolution of size about
// L + K done by FFT, in blocks of bins when K is large.
TDftPlanCost ChirpCost(std::uint64_t L, std::uint64_t ABins, bool AWeighted);
void ChirpBins(const TDftInput& AInput, int N, std::vector<double>& AResult, std::size_t ABins,
               TWorkers* AWorkers, TProgress& AProgress);
