// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/DftChirp.h"

#include "analysis/ChirpCache.h"
#include "analysis/Dft.h"
#include "analysis/FftKernel.h"

#include <algorithm>
#include <numbers>

// With nk = (n^2 + k^2 - (k - n)^2) / 2, X(k) = c(k) sum_n x(n) c(n) d(k - n), where
// c(m) = e^(-i pi m^2 / N) and d = conj(c): a convolution of the chirped inputs with
// the chirp, and |c(k)| = 1 leaves the magnitudes to the convolution alone.

namespace {

// The convolution runs in blocks of bins with FFTs of about this many points.
constexpr std::uint64_t ChirpBlockPoints = std::uint64_t{1} << 20;
// A convolution in one block up to this size keeps its chirps in the workspace. Its
// cost is counted as if they were kept; made afresh they cost at most some 50 µs more.
constexpr std::uint64_t KeptPoints = std::uint64_t{1} << 12;

struct TChirpPlan {
    std::uint64_t P;      // the FFT size of one block
    std::uint64_t Block;  // bins per block
    std::uint64_t Blocks; // blocks
};

TChirpPlan ChirpPlan(std::uint64_t L, std::uint64_t ABins) {
    const std::uint64_t Single = SmoothSize(L + ABins - 1);
    if (Single <= std::max(ChirpBlockPoints, 4 * L))
        return {Single, ABins, 1};
    // Blocks of bins: each takes a convolution of size P for P - L + 1 bins.
    const std::uint64_t P = SmoothSize(std::max(ChirpBlockPoints, 4 * L));
    const std::uint64_t Block = P - L + 1;
    return {P, Block, (ABins + Block - 1) / Block};
}

// d(m) = e^(i pi m^2 / N) for m = AFirst, AFirst + 1, ...: m^2 is kept modulo 2N in
// integers, advanced by (m + 1)^2 - m^2 = 2m + 1, so that the angle keeps full
// precision however large m and N are. Each value depends on m alone, so any piece
// of the sequence can be started anywhere.
class TChirp {
public:
    TChirp(std::int64_t AFirst, int N)
        : FN(static_cast<std::uint64_t>(N)), FTwoN(2 * FN), FScale(std::numbers::pi / N) {
        const std::uint64_t a = static_cast<std::uint64_t>(AFirst < 0 ? -AFirst : AFirst) % FTwoN;
        FSquare = a * a % FTwoN; // a < 2^32, so a * a fits
        const std::int64_t Step = (2 * AFirst + 1) % static_cast<std::int64_t>(FTwoN);
        FStep =
            static_cast<std::uint64_t>(Step < 0 ? Step + static_cast<std::int64_t>(FTwoN) : Step);
    }

    std::complex<double> Next() {
        // The angle pi r / N taken within a half turn either side.
        const double r = FSquare > FN ? static_cast<double>(FSquare) - static_cast<double>(FTwoN)
                                      : static_cast<double>(FSquare);
        const double Angle = FScale * r;
        FSquare += FStep;
        if (FSquare >= FTwoN)
            FSquare -= FTwoN;
        FStep += 2;
        if (FStep >= FTwoN)
            FStep -= FTwoN;
        return {std::cos(Angle), std::sin(Angle)};
    }

private:
    std::uint64_t FN, FTwoN;
    double FScale;
    std::uint64_t FSquare; // m^2 mod 2N
    std::uint64_t FStep;   // (2m + 1) mod 2N
};

// ACount chirp values: a sine and a cosine each.
TWork ChirpValues(std::uint64_t ACount) {
    TWork Work;
    Work.Functions = 2 * static_cast<double>(ACount);
    Work.Bytes = 16 * static_cast<double>(ACount);
    return Work;
}

TWork Points(std::uint64_t ACount) {
    TWork Work;
    Work.Bytes = 16 * static_cast<double>(ACount);
    return Work;
}

TWork Products(std::uint64_t ACount) {
    TWork Work;
    Work.Rotations = static_cast<double>(ACount);
    Work.Bytes = 48 * static_cast<double>(ACount);
    return Work;
}

// The taps of the block of bins from AFirstBin on.
std::uint64_t Taps(std::uint64_t L, std::uint64_t ABins, const TChirpPlan& APlan,
                   std::uint64_t AFirstBin) {
    return L + std::min(APlan.Block, ABins - AFirstBin) - 1;
}

// AInto[j] times ABy[j], for the P points of a convolution.
void MultiplyInto(std::complex<double>* AInto, const std::complex<double>* ABy, std::size_t P,
                  TWorkers* AWorkers, TProgress& AProgress) {
    ForEachItem(P, Products(P), AWorkers, AProgress, [&](std::size_t First, std::size_t Last) {
        for (std::size_t j = First; j < Last; ++j)
            AInto[j] = {AInto[j].real() * ABy[j].real() - AInto[j].imag() * ABy[j].imag(),
                        AInto[j].real() * ABy[j].imag() + AInto[j].imag() * ABy[j].real()};
    });
}

// The magnitudes of ACount bins from the backward transform AConvolution of P points:
// bin r is its output L - 1 + r.
void BinMagnitudesOf(const std::complex<double>* AConvolution, std::size_t L, std::size_t P, int N,
                     std::size_t ACount, double* AOut, TWorkers* AWorkers, TProgress& AProgress) {
    const double Scale = 2.0 / (static_cast<double>(P) * N);
    ForEachItem(ACount, Points(ACount), AWorkers, AProgress,
                [&](std::size_t First, std::size_t Last) {
                    for (std::size_t r = First; r < Last; ++r)
                        AOut[r] = Scale * Magnitude(AConvolution[L - 1 + r]);
                });
}

bool IsKept(const TChirpPlan& APlan) {
    return APlan.Blocks == 1 && APlan.P <= KeptPoints;
}

// A transform whose plan is kept.
TWork KeptFft(std::uint64_t P) {
    TWork Work = TComplexFft::Work(P);
    Work.Transforms = 0;
    return Work;
}

// The work of a kept convolution: the inputs chirped and padded, two transforms, the
// products and the magnitudes.
TWork KeptWork(std::uint64_t L, std::uint64_t ABins, std::uint64_t P, bool AWeighted) {
    return TDftInput::ReadWork(L, AWeighted) + Products(L) + Points(P - L) + KeptFft(P) * 2 +
           Products(P) + Points(ABins);
}

// The chirps of AInput's sizes in ACache, made afresh unless it has them.
void KeepChirps(TChirpCache& ACache, int N, std::uint64_t L, std::uint64_t ABins, std::size_t P,
                TWorkers* AWorkers) {
    if (ACache.Serves(N, L, ABins))
        return;
    ACache = TChirpCache{};
    ACache.Fft = std::make_unique<TComplexFft>(P);
    ACache.InputChirp = AllocComplex(L);
    ACache.Kernel = AllocComplex(P);
    ACache.Buffer = AllocComplex(P);
    TChirp Inputs(0, N);
    for (std::size_t n = 0; n < L; ++n)
        ACache.InputChirp[n] = std::conj(Inputs.Next());
    // d(m) from m = 1 - L: output L - 1 + r of the circular convolution is bin r.
    const std::size_t Taps = L + ABins - 1;
    TChirp Kernel(1 - static_cast<std::int64_t>(L), N);
    for (std::size_t j = 0; j < Taps; ++j)
        ACache.Kernel[j] = Kernel.Next();
    std::fill(ACache.Kernel.get() + Taps, ACache.Kernel.get() + P, std::complex<double>());
    TProgress Silent;
    ACache.Fft->Forward(ACache.Kernel.get(), AWorkers, Silent);
    // Complete: only now does the cache serve these sizes.
    ACache.N = N;
    ACache.L = L;
    ACache.Bins = ABins;
}

// One block of bins through the kept chirps: the same values, bit for bit, as the
// general path gives, whether or not the chirps were kept from before.
void KeptChirpBins(const TDftInput& AInput, int N, TNoFillVector<double>& AResult,
                   std::size_t ABins, std::size_t P, TChirpCache& ACache, TWorkers* AWorkers,
                   TProgress& AProgress) {
    const std::size_t L = AInput.L;
    KeepChirps(ACache, N, L, ABins, P, AWorkers);
    std::complex<double>* const Y = ACache.Buffer.get();
    const std::complex<double>* const Chirp = ACache.InputChirp.get();
    ForEachItem(L, AInput.Work(L) + Products(L), AWorkers, AProgress,
                [&](std::size_t First, std::size_t Last) {
                    for (std::size_t n = First; n < Last; ++n)
                        Y[n] = AInput[n] * Chirp[n];
                });
    ForEachItem(P - L, Points(P - L), AWorkers, AProgress,
                [&](std::size_t First, std::size_t Last) {
                    std::fill(Y + L + First, Y + L + Last, std::complex<double>());
                });
    ACache.Fft->Forward(Y, AWorkers, AProgress);
    MultiplyInto(Y, ACache.Kernel.get(), P, AWorkers, AProgress);
    ACache.Fft->Backward(Y, AWorkers, AProgress);
    BinMagnitudesOf(Y, L, P, N, ABins, AResult.data(), AWorkers, AProgress);
}

} // namespace

TDftPlanCost ChirpCost(std::uint64_t L, std::uint64_t ABins, bool AWeighted) {
    const TChirpPlan Plan = ChirpPlan(L, ABins);
    if (IsKept(Plan))
        return {KeptWork(L, ABins, Plan.P, AWeighted),
                16 * L + 48 * Plan.P + TComplexFft::Bytes(Plan.P)};
    const TWork Fft = TComplexFft::Work(Plan.P);
    // The chirped inputs and their transform, once, into a fresh array of P points;
    // per block, the chirp over its taps and the rest cleared, two transforms, the
    // products and the magnitudes of its bins; its array is fresh in the first block.
    TWork Work = ChirpValues(L) + TDftInput::ReadWork(L, AWeighted) + Points(Plan.P - L) + Fft +
                 FreshArray(Plan.P, 16) * 2;
    for (std::uint64_t First = 0; First < ABins; First += Plan.Block) {
        const std::uint64_t Count = std::min(Plan.Block, ABins - First);
        const std::uint64_t BlockTaps = Taps(L, ABins, Plan, First);
        Work += ChirpValues(BlockTaps) + Points(Plan.P - BlockTaps) + Fft * 2 + Products(Plan.P) +
                Points(Count);
    }
    return {Work, 32 * Plan.P + TComplexFft::Bytes(Plan.P)};
}

void ChirpBins(const TDftInput& AInput, int N, TNoFillVector<double>& AResult, std::size_t ABins,
               TDftWorkspace* AWorkspace, TWorkers* AWorkers, TProgress& AProgress) {
    const std::size_t L = AInput.L;
    const TChirpPlan Plan = ChirpPlan(L, ABins);
    if (IsKept(Plan)) {
        TChirpCache Own;
        KeptChirpBins(AInput, N, AResult, ABins, Plan.P,
                      AWorkspace ? AWorkspace->ChirpCache() : Own, AWorkers, AProgress);
        return;
    }
    const std::size_t P = Plan.P;
    TComplexFft Fft(P);
    const TWork Fresh = FreshArray(P, 16);
    const double InputShare = static_cast<double>(L) / static_cast<double>(P);

    // The transform of the chirped inputs serves every block.
    TComplexArray Inputs = AllocComplex(P);
    std::complex<double>* Y = Inputs.get();
    ForEachItem(L, ChirpValues(L) + AInput.Work(L) + Fresh * InputShare, AWorkers, AProgress,
                [&](std::size_t First, std::size_t Last) {
                    TChirp Chirp(static_cast<std::int64_t>(First), N);
                    for (std::size_t n = First; n < Last; ++n)
                        Y[n] = AInput[n] * std::conj(Chirp.Next());
                });
    const auto Clear = [&](std::complex<double>* AData, std::size_t ACount, const TWork& AWork) {
        ForEachItem(ACount, AWork, AWorkers, AProgress, [&](std::size_t First, std::size_t Last) {
            std::fill(AData + First, AData + Last, std::complex<double>());
        });
    };
    Clear(Y + L, P - L, Points(P - L) + Fresh * (1 - InputShare));
    Fft.Forward(Y, AWorkers, AProgress);

    TComplexArray Work = AllocComplex(P);
    std::complex<double>* W = Work.get();
    for (std::size_t FirstBin = 0; FirstBin < ABins; FirstBin += Plan.Block) {
        const std::size_t Count = std::min<std::size_t>(Plan.Block, ABins - FirstBin);
        // The chirp from d(FirstBin - L + 1) on: output L - 1 + r of the circular
        // convolution is then bin FirstBin + r, free of wrap-around.
        const std::size_t BlockTaps = Taps(L, ABins, Plan, FirstBin);
        const double TapShare = static_cast<double>(BlockTaps) / static_cast<double>(P);
        const TWork BlockFresh = FirstBin == 0 ? Fresh : TWork{};
        const std::int64_t From =
            static_cast<std::int64_t>(FirstBin) - static_cast<std::int64_t>(L) + 1;
        ForEachItem(BlockTaps, ChirpValues(BlockTaps) + BlockFresh * TapShare, AWorkers, AProgress,
                    [&](std::size_t First, std::size_t Last) {
                        TChirp Chirp(From + static_cast<std::int64_t>(First), N);
                        for (std::size_t j = First; j < Last; ++j)
                            W[j] = Chirp.Next();
                    });
        Clear(W + BlockTaps, P - BlockTaps, Points(P - BlockTaps) + BlockFresh * (1 - TapShare));
        Fft.Forward(W, AWorkers, AProgress);
        MultiplyInto(W, Y, P, AWorkers, AProgress);
        Fft.Backward(W, AWorkers, AProgress);
        BinMagnitudesOf(W, L, P, N, Count, AResult.data() + FirstBin, AWorkers, AProgress);
    }
}
