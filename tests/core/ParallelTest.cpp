// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSignals.h"
#include "analysis/Recalculation.h"
#include "analysis/Workers.h"

#include <gtest/gtest.h>

#include <sched.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <span>
#include <stdexcept>
#include <thread>

namespace {

bool SameBits(std::span<const double> a, std::span<const double> b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// Every path of the computation, on one, two and sixteen threads: the blocks fix the
// order of every sum, so the bits agree.
TEST(Parallel, ResultsAreTheSameBitsOnOneTwoAndSixteenThreads) {
    struct TCase {
        int Signals, M, N, K;
        TWindowKind Window;
        TDftMethod Method;
    };
    const TCase Cases[] = {
        {40, 1 << 18, 1 << 18, 1 << 17, wkNone, TDftMethod::Fft},   // a threaded real FFT
        {3, 300000, 1 << 21, 1 << 20, wkHamming, TDftMethod::Fft},  // the split FFT
        {1, 1 << 16, LargestN, 1 << 16, wkNone, TDftMethod::Chirp}, // the chirp-z
        {2, 40000, LargestN, 2, wkBlackman, TDftMethod::Direct},    // sums in segments
    };
    for (const TCase& c : Cases) {
        TSignals List;
        for (int j = 0; j < c.Signals; ++j)
            List.Add(std::make_unique<TSignal>(1.0 / (j + 1), 0.5 * j, 50.0 + 37 * j, 0.3 * j));
        CheckSignals(List);
        TCalcSettings Settings;
        Settings.M = c.M;
        Settings.N = c.N;
        Settings.K = c.K;
        Settings.Window = c.Window;
        ASSERT_EQ(ChooseDft(c.M, c.N, c.K, c.Window != wkNone).Method, c.Method) << c.N;
        const TCalcResult One = ComputeResults(List, Settings, nullptr, {}, 1);
        for (const int Threads : {2, 16}) {
            const TCalcResult Many = ComputeResults(List, Settings, nullptr, {}, Threads);
            EXPECT_TRUE(SameBits(One.CurveTime, Many.CurveTime)) << c.N << " " << Threads;
            EXPECT_TRUE(SameBits(One.CurveValue, Many.CurveValue)) << c.N << " " << Threads;
            EXPECT_TRUE(SameBits(One.SpectrumMagnitude, Many.SpectrumMagnitude))
                << c.N << " " << Threads;
            ASSERT_EQ(One.Characteristic.size(), Many.Characteristic.size()) << c.N;
            for (std::size_t p = 0; p < One.Characteristic.size(); ++p) {
                EXPECT_EQ(One.Characteristic[p].Frequency(), Many.Characteristic[p].Frequency());
                EXPECT_EQ(One.Characteristic[p].Peak(), Many.Characteristic[p].Peak());
            }
        }
    }
}

// As taskset -c 0 would: one CPU allowed, one thread.
TEST(Parallel, ThreadsFollowTheAffinityMask) {
    cpu_set_t All;
    ASSERT_EQ(sched_getaffinity(0, sizeof All, &All), 0);
    int First = 0;
    while (!CPU_ISSET(First, &All))
        ++First;
    cpu_set_t One;
    CPU_ZERO(&One);
    CPU_SET(First, &One);
    ASSERT_EQ(sched_setaffinity(0, sizeof One, &One), 0);
    EXPECT_EQ(AvailableCpus(), 1);
    EXPECT_EQ(TWorkers().Threads(), 1);
    ASSERT_EQ(sched_setaffinity(0, sizeof All, &All), 0);
    EXPECT_EQ(AvailableCpus(), CPU_COUNT(&All));
}

// A block that raises stops the run: the blocks not yet begun never start, and the
// error reaches the caller once the running ones are done.
TEST(Parallel, AFailingBlockStopsTheRest) {
    TWorkers Workers(4);
    std::atomic<int> Ran{0};
    EXPECT_THROW(Workers.Run(100000,
                             [&](std::size_t b) {
                                 if (b == 10)
                                     throw std::runtime_error("block");
                                 // Slow enough that a stalled failing thread
                                 // cannot watch the others finish the run.
                                 std::this_thread::sleep_for(std::chrono::microseconds(20));
                                 ++Ran;
                             }),
                 std::runtime_error);
    EXPECT_LT(Ran.load(), 100000 - 1);
    // The workers serve the next run as if nothing had happened.
    Ran = 0;
    Workers.Run(1000, [&](std::size_t) { ++Ran; });
    EXPECT_EQ(Ran.load(), 1000);
}

} // namespace
