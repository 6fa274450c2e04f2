#pragma once

#include "util/Errors.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Called now and then from the computing thread with the share done, 0..1; returning
// false asks the computation to stop, which it does promptly by raising ECancelled.
using TProgressCallback = std::function<bool(double ADone)>;

// A computation stopped because its progress callback asked it to: "Расчет прерван".
class ECancelled : public EVibronaError {
public:
    ECancelled();
};

// Seconds to write a byte of memory for the first time, mostly the page fault; on
// the virtual machine the estimates are calibrated on, about 4.5 ms per MiB.
inline constexpr double FreshByteSeconds = 4.3e-9;
// That cost per item of an array of ACount items of AItemBytes: arrays under a
// megabyte mostly come from memory the process has touched before.
double FreshSeconds(std::uint64_t ACount, std::uint64_t AItemBytes);

// Counts the work of one computation in estimated seconds and consults the callback
// each time another tick of it is done, so that a stop request is honoured within a
// few ticks however the work is split. Without a callback it only counts.
class TProgress {
public:
    // Estimated seconds between two consultations of the callback.
    static constexpr double TickSeconds = 0.01;

    TProgress() = default;
    TProgress(const TProgressCallback& ACallback, double ATotalSeconds);

    // Adds ASeconds of estimated work done; raises ECancelled when asked to stop.
    void Advance(double ASeconds);
    // How many items of ASecondsEach make about one tick, at least one.
    static std::size_t ItemsPerTick(double ASecondsEach);
    // Reports the whole work done.
    void Finish();

private:
    void Report(double ADone);

    const TProgressCallback* FCallback = nullptr;
    double FTotal = 0;
    double FDone = 0;
    double FNextReport = 0;
    double FLastShare = 0;
};

// Calls AStep(First, Last) over [0, ACount) in pieces of about one progress tick,
// reporting ASecondsEach per item.
template <typename TStep>
void InTicks(std::size_t ACount, double ASecondsEach, TProgress& AProgress, TStep AStep) {
    const std::size_t Chunk = TProgress::ItemsPerTick(ASecondsEach);
    for (std::size_t First = 0; First < ACount; First += Chunk) {
        const std::size_t Last = std::min(ACount, First + Chunk);
        AStep(First, Last);
        AProgress.Advance(ASecondsEach * static_cast<double>(Last - First));
    }
}

// ACount copies of AValue, written piece by piece into reserved room: filling
// gigabytes takes seconds, and the progress hears of it, FilledSeconds(ACount) each.
double FilledSeconds(std::size_t ACount);
std::vector<double> FilledVector(std::size_t ACount, double AValue, TProgress& AProgress);
