// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/DftInput.h"

// The direct sum, bin by bin: X(k) = sum of x(i) e^(-i theta) with
// theta = ((k * 2 pi) * i) / N, over segments of the inputs whose partial sums add
// up in segment order.
TDftPlanCost DirectCost(std::uint64_t L, std::uint64_t ABins, bool AWeighted);
void DirectBins(const TDftInput& AInput, int N, TNoFillVector<double>& AResult, std::size_t ABins,
                TWorkers* AWorkers, TProgress& AProgress);
