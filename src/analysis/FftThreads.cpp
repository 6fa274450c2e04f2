// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/FftThreads.h"

#include "analysis/Workers.h"

#include <fftw3.h>

namespace {

// Transforms from this size on are cut into jobs; smaller ones are not worth it.
constexpr std::size_t ThreadedFrom = std::size_t{1} << 15;
// The jobs of a large plan: enough for a machine of many cores.
constexpr int PlanJobs = 16;

// The workers of the transform that this thread executes, if any. Pool threads
// running FFTW's jobs have none, so nested loops run in place.
thread_local TWorkers* CurrentWorkers = nullptr;

void ParallelLoop(void* (*AWork)(char*), char* AJobs, std::size_t AJobSize, int ACount, void*) {
    TWorkers* Workers = CurrentWorkers;
    if (!Workers || Workers->Threads() <= 1 || ACount <= 1) {
        for (int j = 0; j < ACount; ++j)
            AWork(AJobs + AJobSize * static_cast<std::size_t>(j));
        return;
    }
    Workers->Run(static_cast<std::size_t>(ACount),
                 [&](std::size_t j) { AWork(AJobs + AJobSize * j); });
}

void InitOnce() {
    static const bool Ready = [] {
        fftw_init_threads();
        fftw_threads_set_callback(ParallelLoop, nullptr);
        return true;
    }();
    (void)Ready;
}

} // namespace

void PrepareFftPlan(std::size_t ASize) {
    InitOnce();
    fftw_plan_with_nthreads(ASize >= ThreadedFrom ? PlanJobs : 1);
}

TFftThreads::TFftThreads(TWorkers* AWorkers) : FPrevious(CurrentWorkers) {
    CurrentWorkers = AWorkers;
}

TFftThreads::~TFftThreads() {
    CurrentWorkers = FPrevious;
}
