// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Progress.h"
#include "analysis/WorkCost.h"
#include "model/Spectrum.h"

#include <span>
#include <vector>

class TWorkers;

// The five samples of largest magnitude, largest first, as unmarked copies (all K
// of them when K is below five; equal magnitudes keep ascending frequency), then
// every peak in ascending frequency with Peak set.
std::vector<TSpectrumSample> CharacteristicSamples(std::span<const double> AFrequency,
                                                   std::span<const double> AMagnitude,
                                                   TWorkers* AWorkers = nullptr,
                                                   TProgress* AProgress = nullptr);
// The work of CharacteristicSamples for K samples.
TWork CharacteristicWork(int K);

// Replaces the content of ASpectrum by copies of ASamples, marks included.
void FillSpectrum(TSpectrum& ASpectrum, const std::vector<TSpectrumSample>& ASamples);
