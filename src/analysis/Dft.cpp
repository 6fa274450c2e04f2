// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/Dft.h"

#include "analysis/DftChirp.h"
#include "analysis/DftDirect.h"
#include "analysis/DftFft.h"
#include "analysis/Workers.h"
#include "util/HugePages.h"

#include <algorithm>
#include <limits>

namespace {

// The whole FFT may take this much more memory than the curve and the results.
constexpr std::uint64_t FftMemorySlack = std::uint64_t{64} << 20;

// The K results, zeroed first, and the bins above N div 2 folded from those below.
TWork ResultsWork(std::uint64_t K, std::uint64_t ABins) {
    return FreshArray(K, sizeof(double)) + FoldWork(K, ABins);
}

// K zeros, for a spectrum of no inputs, written piece by piece so that the progress
// hears of gigabytes of fresh memory as they are filled.
void FillZeros(TNoFillVector<double>& AResult, TProgress& AProgress) {
    const std::size_t K = AResult.size();
    const std::size_t Blocks = BlockCount(K, PassBlock);
    RunInOrder(
        Blocks,
        [&](std::size_t b) {
            std::fill(AResult.begin() + static_cast<std::ptrdiff_t>(b * PassBlock),
                      AResult.begin() +
                          static_cast<std::ptrdiff_t>(std::min(K, (b + 1) * PassBlock)),
                      0.0);
        },
        AProgress,
        Seconds(FreshArray(K, sizeof(double))) /
            static_cast<double>(std::max<std::size_t>(Blocks, 1)));
}

} // namespace

TDftChoice DftCost(TDftMethod AMethod, std::int64_t AInputs, int N, int K, bool AWeighted) {
    if (N < 1 || K < 1 || AInputs < 1)
        return {AMethod, {}, 0, 0};
    const std::uint64_t L = static_cast<std::uint64_t>(std::min<std::int64_t>(AInputs, N));
    const std::uint64_t Bins = static_cast<std::uint64_t>(DistinctBins(N, K));
    const TWork Results = ResultsWork(static_cast<std::uint64_t>(K), Bins);
    TDftPlanCost Cost;
    switch (AMethod) {
    case TDftMethod::Fft:
        Cost = FftCost(L, N, Bins, AWeighted);
        if (!FftServes(N))
            return {AMethod, Cost.Work + Results, std::numeric_limits<double>::infinity(),
                    Cost.Bytes};
        break;
    case TDftMethod::Direct:
        Cost = DirectCost(L, Bins, AWeighted);
        break;
    case TDftMethod::Chirp:
        Cost = ChirpCost(L, Bins, AWeighted);
        break;
    }
    const TWork Work = Cost.Work + Results;
    return {AMethod, Work, Seconds(Work), Cost.Bytes};
}

TDftChoice ChooseDft(std::int64_t AInputs, int N, int K, bool AWeighted) {
    TDftChoice Best = DftCost(TDftMethod::Direct, AInputs, N, K, AWeighted);
    const std::int64_t L = std::min<std::int64_t>(std::max<std::int64_t>(AInputs, 0), N);
    const std::uint64_t Proportional =
        FftMemorySlack + 32 * static_cast<std::uint64_t>(L + std::max(K, 0));
    for (const TDftMethod Method : {TDftMethod::Fft, TDftMethod::Chirp}) {
        const TDftChoice c = DftCost(Method, AInputs, N, K, AWeighted);
        if (c.Seconds < Best.Seconds && (Method == TDftMethod::Chirp || c.Bytes <= Proportional))
            Best = c;
    }
    return Best;
}

TNoFillVector<double> SpectrumMagnitudesBy(TDftMethod AMethod, std::span<const double> ACurve,
                                           TWindowKind AWindow, int N, int K,
                                           TDftWorkspace* AWorkspace, TWorkers* AWorkers,
                                           TProgress* AProgress) {
    TProgress Silent;
    TProgress& Progress = AProgress ? *AProgress : Silent;
    // Every bin is written below, by its method or by the folding, so the room is left
    // unfilled; its fresh pages are first touched by the threads that write them.
    TNoFillVector<double> Result;
    ResizeHuge(Result, static_cast<std::size_t>(std::max(K, 0)));
    const std::size_t Inputs =
        N < 1 ? 0 : std::min<std::size_t>(ACurve.size(), static_cast<std::size_t>(N));
    if (Inputs == 0 || K < 1) {
        FillZeros(Result, Progress);
        return Result;
    }
    // The fresh pages, counted here, are paid for by the writing below.
    Progress.Advance(Seconds(FreshArray(Result.size(), sizeof(double))));
    const TDftInput Input{ACurve, AWindow, Inputs};
    const std::size_t Bins = static_cast<std::size_t>(DistinctBins(N, K));
    switch (AMethod) {
    case TDftMethod::Fft:
        FftBins(Input, N, Result, Bins, AWorkspace, AWorkers, Progress);
        break;
    case TDftMethod::Direct:
        DirectBins(Input, N, Result, Bins, AWorkers, Progress);
        break;
    case TDftMethod::Chirp:
        ChirpBins(Input, N, Result, Bins, AWorkspace, AWorkers, Progress);
        break;
    }
    FoldBins(Result, N, Bins, AWorkers, Progress);
    return Result;
}

TNoFillVector<double> SpectrumMagnitudes(std::span<const double> ACurve, TWindowKind AWindow, int N,
                                         int K, TDftWorkspace* AWorkspace, TWorkers* AWorkers,
                                         TProgress* AProgress) {
    const TDftMethod Method =
        ChooseDft(static_cast<std::int64_t>(ACurve.size()), N, K, AWindow != wkNone).Method;
    return SpectrumMagnitudesBy(Method, ACurve, AWindow, N, K, AWorkspace, AWorkers, AProgress);
}
