// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/Workers.h"

#include <QThreadPool>

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace {

// What the threads of one Run share. Helpers hold it by a shared pointer: one that
// starts after the blocks are all gone finds nothing left and ends.
struct TShared {
    TShared(std::size_t ACount, const std::function<void(std::size_t)>& ABlock)
        : Count(ACount), Block(&ABlock) {}

    const std::size_t Count;
    const std::function<void(std::size_t)>* Block; // read only while a block is claimed
    std::atomic<std::size_t> Next{0};
    std::atomic<bool> Stop{false};
    std::mutex Mutex;
    std::condition_variable Changed;
    std::size_t Finished = 0; // guarded by Mutex
    std::exception_ptr Error; // the first a block raised; guarded by Mutex

    // Claims one block and runs it unless the run is stopping; false when none is left.
    bool RunOne() {
        const std::size_t b = Next.fetch_add(1);
        if (b >= Count)
            return false;
        std::exception_ptr Failure;
        if (!Stop.load())
            try {
                (*Block)(b);
            } catch (...) {
                Failure = std::current_exception();
            }
        {
            const std::lock_guard Lock(Mutex);
            ++Finished;
            if (Failure && !Error) {
                Error = Failure;
                Stop = true;
            }
        }
        Changed.notify_all();
        return true;
    }

    std::size_t FinishedNow() {
        const std::lock_guard Lock(Mutex);
        return Finished;
    }

    // Skips what is left and waits for the blocks that are running.
    void Drain() {
        Stop = true;
        while (RunOne()) {
        }
        std::unique_lock Lock(Mutex);
        Changed.wait(Lock, [this] { return Finished == Count; });
    }
};

void RunAlone(std::size_t ACount, const std::function<void(std::size_t)>& ABlock,
              TProgress* AProgress, double ABlockSeconds) {
    for (std::size_t b = 0; b < ACount; ++b) {
        ABlock(b);
        if (AProgress)
            AProgress->Advance(ABlockSeconds);
    }
}

} // namespace

int AvailableCpus() {
    cpu_set_t Set;
    CPU_ZERO(&Set);
    if (sched_getaffinity(0, sizeof Set, &Set) == 0)
        return std::max(1, CPU_COUNT(&Set));
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

TWorkers::TWorkers(int AThreads) : FThreads(AThreads > 0 ? AThreads : AvailableCpus()) {
    if (FThreads > 1) {
        FPool = std::make_unique<QThreadPool>();
        FPool->setMaxThreadCount(FThreads);
    }
}

TWorkers::~TWorkers() = default;

void TWorkers::Run(std::size_t ACount, const std::function<void(std::size_t)>& ABlock,
                   TProgress& AProgress, double ABlockSeconds) {
    if (!FPool || ACount <= 1)
        return RunAlone(ACount, ABlock, &AProgress, ABlockSeconds);
    auto Shared = std::make_shared<TShared>(ACount, ABlock);
    // A watched run leaves the blocks to the helpers and only reports, so that the
    // progress hears of every block as soon as it is done; otherwise the calling thread
    // takes blocks too.
    const bool Watched = AProgress.Watched();
    const std::size_t Helpers = Watched ? std::min<std::size_t>(FThreads, ACount)
                                        : std::min<std::size_t>(FThreads - 1, ACount - 1);
    for (std::size_t h = 0; h < Helpers; ++h)
        FPool->start([Shared] {
            while (Shared->RunOne()) {
            }
        });
    std::size_t Reported = 0;
    const auto Report = [&] {
        const std::size_t Now = Shared->FinishedNow();
        AProgress.Advance(static_cast<double>(Now - Reported) * ABlockSeconds);
        Reported = Now;
    };
    try {
        while (!Watched && Shared->RunOne())
            Report();
        for (;;) {
            {
                std::unique_lock Lock(Shared->Mutex);
                if (Shared->Finished == ACount)
                    break;
                Shared->Changed.wait_for(Lock, std::chrono::milliseconds(10));
            }
            Report();
        }
    } catch (...) {
        Shared->Drain();
        throw;
    }
    if (Shared->Error)
        std::rethrow_exception(Shared->Error);
}

void TWorkers::Run(std::size_t ACount, const std::function<void(std::size_t)>& ABlock) {
    TProgress Silent;
    Run(ACount, ABlock, Silent, 0);
}

void RunBlocks(TWorkers* AWorkers, std::size_t ACount,
               const std::function<void(std::size_t)>& ABlock, TProgress& AProgress,
               double ABlockSeconds) {
    if (AWorkers)
        AWorkers->Run(ACount, ABlock, AProgress, ABlockSeconds);
    else
        RunAlone(ACount, ABlock, &AProgress, ABlockSeconds);
}

void RunInOrder(std::size_t ACount, const std::function<void(std::size_t)>& ABlock,
                TProgress& AProgress, double ABlockSeconds) {
    RunAlone(ACount, ABlock, &AProgress, ABlockSeconds);
}

void ForEachItem(std::size_t ACount, const TWork& APassWork, TWorkers* AWorkers,
                 TProgress& AProgress, const std::function<void(std::size_t, std::size_t)>& APass) {
    const std::size_t Blocks = BlockCount(ACount, PassBlock);
    RunBlocks(
        AWorkers, Blocks,
        [&](std::size_t b) { APass(b * PassBlock, std::min(ACount, (b + 1) * PassBlock)); },
        AProgress, Seconds(APassWork) / static_cast<double>(std::max<std::size_t>(Blocks, 1)));
}
