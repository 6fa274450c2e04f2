// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Progress.h"
#include "analysis/WorkCost.h"

#include <cstddef>
#include <functional>
#include <memory>

class QThreadPool;

// The CPUs this process may run on, as its affinity mask says (taskset -c 0 gives
// one); at least one.
int AvailableCpus();

// The threads of one computation: the calling thread and a pool of helpers. Work is
// cut into blocks whose bounds depend on the work alone, never on the number of
// threads, and each block writes only its own results, so every result comes out
// bit for bit the same however many threads share the blocks.
class TWorkers {
public:
    // AThreads <= 0: as many as AvailableCpus.
    explicit TWorkers(int AThreads = 0);
    ~TWorkers();
    TWorkers(const TWorkers&) = delete;
    TWorkers& operator=(const TWorkers&) = delete;

    int Threads() const { return FThreads; }

    // Runs ABlock(b) for b = 0 .. ACount - 1, spread over the threads, and returns when
    // all have run. AProgress hears from the calling thread of every finished block as
    // ABlockSeconds; while it is watched the calling thread only reports, otherwise it
    // takes blocks as well. When the progress asks to stop or a block raises, no
    // further block starts, and once the running ones are done the error is raised here.
    void Run(std::size_t ACount, const std::function<void(std::size_t)>& ABlock,
             TProgress& AProgress, double ABlockSeconds);
    // The same without progress: for short parallel steps such as FFTW's loops.
    void Run(std::size_t ACount, const std::function<void(std::size_t)>& ABlock);

private:
    int FThreads;
    std::unique_ptr<QThreadPool> FPool; // the helpers; none for one thread
};

// Runs the blocks on AWorkers, or in order on the calling thread when there are none.
void RunBlocks(TWorkers* AWorkers, std::size_t ACount,
               const std::function<void(std::size_t)>& ABlock, TProgress& AProgress,
               double ABlockSeconds);
// Runs blocks that must follow one another, in order on the calling thread.
void RunInOrder(std::size_t ACount, const std::function<void(std::size_t)>& ABlock,
                TProgress& AProgress, double ABlockSeconds);

// How many blocks of at most ABlockSize items cover ACount items.
inline std::size_t BlockCount(std::size_t ACount, std::size_t ABlockSize) {
    return (ACount + ABlockSize - 1) / ABlockSize;
}

// Items per block of the simple passes over an array.
inline constexpr std::size_t PassBlock = std::size_t{1} << 16;

// APass(First, Last) over [0, ACount) in blocks of PassBlock items on the workers
// (none: in order), the whole pass counted as APassWork: the shape of every simple pass.
void ForEachItem(std::size_t ACount, const TWork& APassWork, TWorkers* AWorkers,
                 TProgress& AProgress, const std::function<void(std::size_t, std::size_t)>& APass);
