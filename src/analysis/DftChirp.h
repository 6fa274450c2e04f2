// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/DftInput.h"

class TDftWorkspace;

// Bluestein's chirp-z transform of just the wanted bins: a convolution of size about
// L + K done by FFT, in blocks of bins when K is large. A short one in one block
// keeps its chirps in the workspace, so that a recalculation with the same sizes
// needs two transforms and no sine; its cost is counted so.
TDftPlanCost ChirpCost(std::uint64_t L, std::uint64_t ABins, bool AWeighted);
void ChirpBins(const TDftInput& AInput, int N, TNoFillVector<double>& AResult, std::size_t ABins,
               TDftWorkspace* AWorkspace, TWorkers* AWorkers, TProgress& AProgress);
