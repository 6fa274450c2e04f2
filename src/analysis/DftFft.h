// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/DftInput.h"

class TDftWorkspace;

// The whole transform: a real FFT of N points, or for N above a million the complex
// four-step FFT, which needs a smooth N. Whether it can serve N at all.
bool FftServes(int N);
TDftPlanCost FftCost(std::uint64_t L, int N, std::uint64_t ABins, bool AWeighted);
void FftBins(const TDftInput& AInput, int N, TNoFillVector<double>& AResult, std::size_t ABins,
             TDftWorkspace* AWorkspace, TWorkers* AWorkers, TProgress& AProgress);
