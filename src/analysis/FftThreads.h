// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>

class TWorkers;

// FFTW's parallel loops run on the workers of the computation that executes the
// transform. A plan is cut into a number of jobs that depends on its size alone, so
// a transform computes the same bits on one thread or on many.

// Call before making any FFTW plan; sets the number of jobs for plans of ASize points.
void PrepareFftPlan(std::size_t ASize);

// While it lives, transforms executed by this thread spread their jobs over AWorkers
// (none: in order on this thread).
class TFftThreads {
public:
    explicit TFftThreads(TWorkers* AWorkers);
    ~TFftThreads();
    TFftThreads(const TFftThreads&) = delete;
    TFftThreads& operator=(const TFftThreads&) = delete;

private:
    TWorkers* FPrevious;
};
