#include "analysis/Dft.h"
#include "ReferenceDft.h"
#include "analysis/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <utility>

namespace {

std::vector<double> RandomInput(int M, unsigned Seed) {
    std::mt19937 Gen(Seed);
    std::uniform_real_distribution<double> U(-1, 1);
    std::vector<double> x(M);
    for (double& v : x)
        v = U(Gen);
    return x;
}

void ExpectMatchesReference(const std::vector<double>& x, int N, int K) {
    const std::vector<double> Fast = SpectrumMagnitudes(x, wkNone, N, K);
    const std::vector<double> Direct = SpectrumMagnitudesDirect(x, N, K);
    const std::vector<double> Ref = ReferenceMagnitudes(x, N, K);
    ASSERT_EQ(Fast.size(), static_cast<std::size_t>(K));
    for (int k = 0; k < K; ++k) {
        EXPECT_NEAR(Fast[k], Ref[k], 1e-12) << "k=" << k << " N=" << N;
        EXPECT_EQ(Direct[k], Ref[k]) << "k=" << k << " N=" << N; // the same sum, term by term
    }
}

struct TSizes {
    int M, N, K;
};

TEST(Dft, FastTransformMatchesDirectSummation) {
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
        ASSERT_TRUE(PrefersFft(c.M, c.N, c.K)) << c.N;
        ExpectMatchesReference(RandomInput(c.M, Seed++), c.N, c.K);
    }
}

TEST(Dft, DirectPathForFewBinsOfAHugeTransform) {
    EXPECT_FALSE(PrefersFft(1000, 1 << 24, 200));
    EXPECT_FALSE(PrefersFft(16, 4096, 3));
    const std::vector<double> x = RandomInput(50, 9);
    ExpectMatchesReference(x, 4096, 3);
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

TEST(Dft, ConstantGivesTwiceItselfAtZeroFrequency) {
    const std::vector<double> x(64, 3.0);
    const auto Mag = SpectrumMagnitudes(x, wkNone, 64, 32);
    EXPECT_NEAR(Mag[0], 6, 1e-12);
    for (int k = 1; k < 32; ++k)
        EXPECT_NEAR(Mag[k], 0, 1e-12);
}

TEST(Dft, ZeroPaddingScalesByMOverN) {
    // M = 200 samples of a unit sine at 50 Hz, dt = 0.00025, N = 4000: bin 50 is 50 Hz.
    std::vector<double> x(200);
    for (int i = 0; i < 200; ++i)
        x[i] = std::sin(2 * std::numbers::pi * 50 * i * 0.00025);
    const auto Mag = SpectrumMagnitudes(x, wkNone, 4000, 200);
    EXPECT_NEAR(Mag[50], 0.05, 0.001);
}

TEST(Dft, WorkspaceIsReusedAcrossSizes) {
    TDftWorkspace Workspace;
    for (int N : {256, 512, 256, 501}) {
        const std::vector<double> x = RandomInput(400, static_cast<unsigned>(N));
        const auto Fast = SpectrumMagnitudes(x, wkNone, N, N / 2, &Workspace);
        const auto Ref = ReferenceMagnitudes(x, N, N / 2);
        for (int k = 0; k < N / 2; ++k)
            ASSERT_NEAR(Fast[k], Ref[k], 1e-12) << N << " " << k;
    }
}

TEST(Dft, WindowWeightsTheCurveOnBothPaths) {
    const std::vector<double> x = RandomInput(300, 5);
    std::vector<double> w(x);
    for (int i = 0; i < 300; ++i)
        w[i] *= CalcWindow(wkBlackman, i, 300);
    const auto Ref = ReferenceMagnitudes(w, 4096, 128);
    const auto Fast = SpectrumMagnitudes(x, wkBlackman, 4096, 128);
    const auto Few = SpectrumMagnitudes(x, wkBlackman, 4096, 2); // the direct path
    ASSERT_TRUE(PrefersFft(300, 4096, 128));
    ASSERT_FALSE(PrefersFft(300, 4096, 2));
    for (int k = 0; k < 128; ++k)
        EXPECT_NEAR(Fast[k], Ref[k], 1e-12);
    EXPECT_EQ(Few[1], Ref[1]);
}

TEST(Dft, DegenerateSizes) {
    EXPECT_TRUE(SpectrumMagnitudes({}, wkNone, 16, 4) == std::vector<double>(4, 0.0));
    EXPECT_TRUE(SpectrumMagnitudes(std::vector<double>(8, 1.0), wkNone, 16, 0).empty());
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
        for (const auto& Mag :
             {SpectrumMagnitudes(x, wkNone, c.N, c.K), SpectrumMagnitudesDirect(x, c.N, c.K)}) {
            double BinEnergy = 0;
            for (const double m : Mag)
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
        for (const auto& [N, K] : {std::pair{64, 64}, std::pair{4096, 3}}) {
            ASSERT_EQ(PrefersFft(20, N, K), N == 64); // the FFT, then the direct sum
            for (const double m : SpectrumMagnitudes(x, wkNone, N, K))
                EXPECT_NEAR(m, 6.0 / N, 1e-15) << At << " " << N;
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
