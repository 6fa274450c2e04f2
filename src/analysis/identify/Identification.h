// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Progress.h"
#include "analysis/Recalculation.h"

#include <cstddef>
#include <span>
#include <vector>

// Damped oscillations in a measured span, as the signal model's own inputs. The poles
// come from the matrix pencil of the span's Hankel matrix (pencil parameter a third of
// the span, order from the singular values above the noise floor), the amplitudes from
// least squares over the span. Noise limits what can be told apart: oscillations
// closer in frequency than about one cycle over the span, or whose envelope changes by
// less than the noise over the span, come out with their damping poorly known.

// The most oscillations looked for unless the user says otherwise.
inline constexpr int IdentifyDefaultCount = 10;
// More oscillations than this are not looked for: the work grows with their square.
inline constexpr int IdentifyMaxCount = 50;
// Spans shorter than this cannot be identified.
inline constexpr std::size_t IdentifyMinSamples = 8;
// A longer span is identified over its first IdentifyMaxSamples samples: the work and
// the memory stay bounded, and a damped oscillation shows itself best at its start.
inline constexpr std::size_t IdentifyMaxSamples = 65536;

struct TIdentifyOptions {
    int MaxCount = IdentifyDefaultCount; // the most oscillations to find, 1..IdentifyMaxCount
    double StartTime = 0;                // the curve time of the span's first sample
};

// One damped oscillation found in the span, as the signal's inputs at the span's start:
// y(t) = e^(-D t) (A cos(Wd t) + (V + D A) / Wd sin(Wd t)), Wd = sqrt(W^2 - D^2),
// W = 2 pi F, t counted from the span's start.
struct TOscillation {
    double F = 0;     // natural frequency, cycles per unit of time
    double D = 0;     // damping factor; within 1e-8 of 0 for a sine wave
    double A = 0;     // value at the span's start
    double V = 0;     // derivative at the span's start
    double Zeta = 0;  // damping ratio D / W
    double Share = 0; // share of the oscillations' energy over the span, 0..1
    bool SineWave = false;
};

struct TIdentification {
    std::vector<TOscillation> Oscillations; // F ascending
    double Constant = 0;                    // the constant component C (0 when none)
    bool HasConstant = false;
    // Components of the estimate left out because the signal model has no room for
    // them: growing oscillations and exponentials that do not oscillate.
    int Dropped = 0;
    // Over the samples analysed: the RMS of the span minus the model, and that over the
    // span's own RMS (0 for a span of zeros).
    double ResidualRms = 0;
    double RelativeResidual = 0;
    double Dt = 0;
    double StartTime = 0;
    std::size_t Samples = 0; // the samples analysed: the span's first IdentifyMaxSamples
};

// Finds at most AOptions.MaxCount damped oscillations and a constant whose sum
// reproduces the span AValues sampled every ADt, by the matrix pencil method and
// least squares, sorted by F. Raises EVibronaError for a span shorter than
// IdentifyMinSamples, a value analysed that is not finite or a dt that is not positive,
// ECancelled when AProgress asks to stop and EOutOfMemory when memory runs out.
// Runs on any thread; only one computation may plan FFTs at a time.
TIdentification IdentifyOscillations(std::span<const double> AValues, double ADt,
                                     const TIdentifyOptions& AOptions = {},
                                     const TProgressCallback& AProgress = {});

// What IdentifyOscillations of ASamples values takes, before any allocation; compare
// with the available memory by CheckMemory.
TCalcCost EstimateIdentifyCost(std::size_t ASamples, int AMaxCount = IdentifyDefaultCount);
