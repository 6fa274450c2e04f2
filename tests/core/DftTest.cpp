// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/Dft.h"
#include "ReferenceDft.h"
#include "TestSignals.h"
#include "analysis/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <utility>

namespace {

constexpr TDftMethod AllMethods[] = {TDftMethod::Fft, TDftMethod::Direct, TDftMethod::Chirp};

std::vector<double> RandomInput(int M, unsigned Seed) {
    std::mt19937 Gen(Seed);
    std::uniform_real_distribution<double> U(-1, 1);
    std::vector<double> x(M);
    for (double& v : x)
        v = U(Gen);
    return x;
}

// The bins AAt of a way against the plain direct sum, within 1e-9 of the largest.
void ExpectAgrees(TDftMethod AMethod, const std::vector<double>& x, int N, int K,
                  const std::vector<long long>& AAt, TWindowKind AWindow = wkNone) {
    std::vector<double> w(x);
    for (std::size_t i = 0; i < x.size(); ++i)
        w[i] *= CalcWindow(AWindow, static_cast<int>(i), static_cast<int>(x.size()));
    const auto Got = SpectrumMagnitudesBy(AMethod, x, AWindow, N, K);
    ASSERT_EQ(Got.size(), static_cast<std::size_t>(K));
    std::vector<double> Ref;
    for (const long long k : AAt)
        Ref.push_back(ReferenceBin(w, N, k));
    const double Largest = *std::max_element(Ref.begin(), Ref.end());
    for (std::size_t j = 0; j < AAt.size(); ++j)
        ASSERT_NEAR(Got[AAt[j]], Ref[j], 1e-9 * Largest)
            << "way " << static_cast<int>(AMethod) << " N=" << N << " k=" << AAt[j];
}

std::vector<long long> AllBins(int K) {
    std::vector<long long> At(K);
    for (int k = 0; k < K; ++k)
        At[k] = k;
    return At;
}

// A spread of bins with both ends and random ones between.
std::vector<long long> SomeBins(int K, unsigned Seed) {
    std::mt19937 Gen(Seed);
    std::uniform_int_distribution<int> U(0, K - 1);
    std::vector<long long> At = {0, 1, K - 2, K - 1};
    for (int j = 0; j < 60; ++j)
        At.push_back(U(Gen));
    return At;
}

struct TSizes {
    int M, N, K;
};

TEST(Dft, EveryWayMatchesTheDirectSum) {
    const TSizes Cases[] = {
        {300, 256, 128}, // N < M: the curve is truncated
        {100, 256, 128}, // N > M: zero padding
        {256, 256, 200}, // K > N div 2: mirrored bins
        {64, 40, 130},   // K > N: periodic bins
        {500, 501, 250}, // odd N
        {600, 509, 254}, // prime N
        {1000, 4000, 2000},
    };
    unsigned Seed = 1;
    for (const TSizes& c : Cases) {
        const std::vector<double> x = RandomInput(c.M, Seed++);
        for (const TDftMethod Method : AllMethods)
            ExpectAgrees(Method, x, c.N, c.K, AllBins(c.K));
    }
    ExpectAgrees(TDftMethod::Chirp, RandomInput(300, 5), 4096, 128, AllBins(128), wkBlackman);
}

// Transforms past one FFTW call: the split FFT of a large N, the chirp over a
// large input, its blocks of bins; N near 2^31 with few bins and with many.
TEST(Dft, LargeSizesMatchTheDirectSumAtSampledBins) {
    struct TCase {
        TDftMethod Method;
        int M, N, K;
    };
    const TCase Cases[] = {
        {TDftMethod::Fft, 1000, 3 << 20, 3000},      {TDftMethod::Chirp, 300000, LargestN, 12},
        {TDftMethod::Chirp, 200, LargestN, 3 << 20}, {TDftMethod::Direct, 200, LargestN, 40},
        {TDftMethod::Chirp, 200, LargestN, 40},      {TDftMethod::Chirp, 5000, (1 << 30) + 7, 2000},
    };
    unsigned Seed = 30;
    for (const TCase& c : Cases) {
        ExpectAgrees(c.Method, RandomInput(c.M, Seed), c.N, c.K, SomeBins(c.K, Seed));
        ++Seed;
    }
}

TEST(Dft, ChoiceFollowsTimeAndMemory) {
    struct TCase {
        int M, N, K;
        TDftMethod Expected;
    };
    const TCase Cases[] = {
        {10000, 1 << 24, 2, TDftMethod::Direct},
        {200, 4000, 200, TDftMethod::Chirp}, // the defaults: two short transforms
        {200, LargestN, 1 << 24, TDftMethod::Chirp},
        {1 << 20, 1 << 30, 1 << 20, TDftMethod::Chirp},
        {1 << 22, 1 << 22, 1 << 21, TDftMethod::Fft},
    };
    for (const TCase& c : Cases) {
        const TDftChoice Choice = ChooseDft(c.M, c.N, c.K);
        EXPECT_EQ(Choice.Method, c.Expected) << c.N << " " << c.K;
        // Whatever the way, its memory follows the inputs and the bins, not N.
        EXPECT_LT(Choice.Bytes, (std::uint64_t{64} << 20) + 64 * std::uint64_t(c.M + c.K)) << c.N;
    }
}

TEST(Dft, SineAtABinFrequencyGivesItsAmplitude) {
    const int N = 64;
    const double dt = 0.015625;
    for (double Phase : {0.0, 0.7, -2.0}) {
        std::vector<double> x(N);
        for (int i = 0; i < N; ++i)
            x[i] = 2 * std::sin(2 * std::numbers::pi * 5 * (i * dt) + Phase);
        const auto Mag = SpectrumMagnitudes(x, wkNone, N, N / 2);
        for (int k = 0; k < N / 2; ++k)
            EXPECT_NEAR(Mag[k], k == 5 ? 2.0 : 0.0, 1e-12) << k;
    }
}

TEST(Dft, ZeroPaddingScalesByMOverN) {
    // M = 200 samples of a unit sine at 50 Hz, dt = 0.00025, N = 4000: bin 50 is 50 Hz.
    std::vector<double> x(200);
    for (int i = 0; i < 200; ++i)
        x[i] = std::sin(2 * std::numbers::pi * 50 * i * 0.00025);
    const auto Mag = SpectrumMagnitudes(x, wkNone, 4000, 200);
    EXPECT_NEAR(Mag[50], 0.05, 0.001);
}

// A shorter input after a longer one in the same workspace: the padding is zero again.
TEST(Dft, WorkspaceIsReusedAcrossSizes) {
    TDftWorkspace Workspace;
    const struct {
        int N, L;
    } Cases[] = {{256, 400}, {512, 400}, {512, 100},   {512, 300},
                 {256, 50},  {500, 400}, {65536, 500}, {65536, 40}}; // the last in place
    for (const auto [N, L] : Cases) {
        const std::vector<double> x = RandomInput(L, static_cast<unsigned>(N + L));
        const auto Fast = SpectrumMagnitudesBy(TDftMethod::Fft, x, wkNone, N, N / 2, &Workspace);
        const auto Ref = ReferenceMagnitudes(x, N, N / 2);
        for (int k = 0; k < N / 2; ++k)
            ASSERT_NEAR(Fast[k], Ref[k], 1e-12) << N << " " << k;
    }
}

// A short chirp-z keeps its chirps in the workspace: whatever came before, the same
// bits as made afresh.
TEST(Dft, KeptChirpsFollowTheSizes) {
    TDftWorkspace Workspace;
    const struct {
        int N, L, K;
    } Cases[] = {{4000, 200, 200}, {4000, 200, 200}, {4000, 150, 200},
                 {4000, 150, 120}, {5000, 150, 120}, {4000, 200, 200}};
    unsigned Seed = 70;
    for (const auto [N, L, K] : Cases) {
        const std::vector<double> x = RandomInput(L, Seed++);
        const auto Kept = SpectrumMagnitudesBy(TDftMethod::Chirp, x, wkHamming, N, K, &Workspace);
        EXPECT_EQ(Kept, SpectrumMagnitudesBy(TDftMethod::Chirp, x, wkHamming, N, K))
            << N << " " << L << " " << K;
        ExpectAgrees(TDftMethod::Chirp, x, N, K, SomeBins(K, Seed), wkHamming);
    }
}

TEST(Dft, DegenerateSizes) {
    for (const TDftMethod Method : AllMethods) {
        EXPECT_TRUE(SpectrumMagnitudesBy(Method, {}, wkNone, 16, 4) ==
                    TNoFillVector<double>(4, 0.0));
        EXPECT_TRUE(
            SpectrumMagnitudesBy(Method, std::vector<double>(8, 1.0), wkNone, 16, 0).empty());
    }
}

// One sample x0 transforms to X(k) = x0 at every k, whatever the window: a window of
// one sample has no shape. Every magnitude is then 2 |x0| / N.
TEST(Dft, OneSampleGivesAFlatSpectrum) {
    for (const TDftMethod Method : AllMethods)
        for (const TWindowKind Window : {wkNone, wkHamming, wkGaussian, wkBlackman, wkBartlett}) {
            const auto m = SpectrumMagnitudesBy(Method, std::vector<double>{-3}, Window, 16, 12);
            ASSERT_EQ(m.size(), 12u);
            for (const double Magnitude : m)
                EXPECT_NEAR(Magnitude, 0.375, 1e-15)
                    << static_cast<int>(Method) << " " << static_cast<int>(Window);
        }
}

// Parseval: the N bins of a real signal carry N times its energy, bin k holding
// |X(k)| = N / 2 times its magnitude.
TEST(Dft, ParsevalOverAllBins) {
    const TSizes Cases[] = {{256, 256, 256}, {300, 500, 500}, {600, 509, 509}};
    unsigned Seed = 20;
    for (const TSizes& c : Cases) {
        const std::vector<double> x = RandomInput(c.M, Seed++);
        double Energy = 0;
        for (int i = 0; i < std::min(c.M, c.N); ++i)
            Energy += x[i] * x[i];
        for (const TDftMethod Method : AllMethods) {
            double BinEnergy = 0;
            for (const double m : SpectrumMagnitudesBy(Method, x, wkNone, c.N, c.K))
                BinEnergy += (m * c.N / 2) * (m * c.N / 2);
            EXPECT_NEAR(BinEnergy / (c.N * Energy), 1, 1e-12) << c.N;
        }
    }
}

// One nonzero sample a has |X(k)| = a in every bin: magnitude 2a / N.
TEST(Dft, ImpulseGivesAFlatSpectrum) {
    for (const int At : {0, 7}) {
        std::vector<double> x(20, 0.0);
        x[At] = 3;
        for (const auto& [N, K] : {std::pair{64, 64}, std::pair{4096, 3}, std::pair{LargestN, 5}}) {
            for (const TDftMethod Method : AllMethods) {
                if (N > 5000 && Method == TDftMethod::Fft)
                    continue; // no FFT of 2^31 - 1 points
                for (const double m : SpectrumMagnitudesBy(Method, x, wkNone, N, K))
                    EXPECT_NEAR(m * N / 6, 1, 1e-12) << At << " " << N;
            }
        }
    }
}

// A sine of amplitude A on bin k0, whole periods over the M samples: A M / N without
// a window, and the Hamming window's mean weight of that with it: its cosines over
// i = 0 .. M - 1 add up to 1, so the mean is 0.54 - 0.46 / M.
TEST(Dft, HammingCoherentGainOnABinCentredSine) {
    const int M = 3000, N = 4000, k0 = 400;
    const double A = 1.5;
    std::vector<double> x(M);
    for (int i = 0; i < M; ++i)
        x[i] = A * std::sin(2 * std::numbers::pi * k0 * i / N);
    const double Plain = SpectrumMagnitudes(x, wkNone, N, N / 2)[k0];
    const double Hamming = SpectrumMagnitudes(x, wkHamming, N, N / 2)[k0];
    EXPECT_NEAR(Plain, A * M / N, 1e-12);
    EXPECT_NEAR(Hamming / Plain, 0.54 - 0.46 / M, 1e-8);
}

} // namespace
