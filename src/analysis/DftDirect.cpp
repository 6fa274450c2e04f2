// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/DftDirect.h"

#include "util/HugePages.h"

#include <algorithm>
#include <numbers>

namespace {

// Inputs per segment: a curve up to this long sums in one piece, as written.
constexpr std::size_t SegmentInputs = std::size_t{1} << 14;
// Terms per block of work.
constexpr std::size_t BlockTerms = std::size_t{1} << 16;

// The steps of DirectBins, one by one.
struct TDirectStages {
    TWork Weights, Sums, Totals;
    TWork Total() const { return Weights + Sums + Totals; }
};

TDirectStages DirectStages(std::uint64_t L, std::uint64_t ABins, bool AWeighted) {
    const std::uint64_t Segments = BlockCount(L, SegmentInputs);
    TDirectStages Stages;
    if (AWeighted)
        Stages.Weights = TDftInput::ReadWork(L, true) + FreshArray(L, sizeof(double));
    // A term is a sine and a cosine; its products are free beside them.
    Stages.Sums.Functions = 2 * static_cast<double>(L) * static_cast<double>(ABins);
    Stages.Sums += FreshArray(Segments * ABins, 16);
    Stages.Totals.Bytes = 16 * static_cast<double>(Segments * ABins);
    return Stages;
}

} // namespace

TDftPlanCost DirectCost(std::uint64_t L, std::uint64_t ABins, bool AWeighted) {
    const std::uint64_t Segments = BlockCount(L, SegmentInputs);
    return {DirectStages(L, ABins, AWeighted).Total(),
            16 * Segments * ABins + (AWeighted ? 8 * L : 0)};
}

void DirectBins(const TDftInput& AInput, int N, TNoFillVector<double>& AResult, std::size_t ABins,
                TWorkers* AWorkers, TProgress& AProgress) {
    const TDirectStages Stages = DirectStages(AInput.L, ABins, AInput.Window != wkNone);
    // The weighted inputs once, rather than a window weight per term.
    std::vector<double> Weighted;
    std::span<const double> x = AInput.Curve.first(AInput.L);
    if (AInput.Window != wkNone) {
        Weighted.resize(AInput.L);
        ForEachItem(AInput.L, Stages.Weights, AWorkers, AProgress,
                    [&](std::size_t First, std::size_t Last) {
                        AInput.Copy(First, Last, Weighted.data());
                    });
        x = Weighted;
    }
    const std::size_t Segments = BlockCount(x.size(), SegmentInputs);
    const std::size_t SegmentSize = std::min(x.size(), SegmentInputs);
    const std::size_t BinsPerBlock = std::max<std::size_t>(1, BlockTerms / SegmentSize);
    const std::size_t BinBlocks = BlockCount(ABins, BinsPerBlock);
    // The partial sums of segment s for bin k at s * ABins + k.
    std::vector<std::complex<double>> Partial;
    ResizeHuge(Partial, Segments * ABins);
    constexpr double TwoPi = 2 * std::numbers::pi;
    RunBlocks(
        AWorkers, BinBlocks * Segments,
        [&](std::size_t b) {
            const std::size_t Segment = b % Segments;
            const std::size_t FirstBin = b / Segments * BinsPerBlock;
            const std::size_t LastBin = std::min(ABins, FirstBin + BinsPerBlock);
            const std::size_t First = Segment * SegmentInputs;
            const std::size_t Last = std::min(x.size(), First + SegmentInputs);
            for (std::size_t k = FirstBin; k < LastBin; ++k) {
                double re = 0, im = 0;
                const double kw = static_cast<double>(k) * TwoPi;
                for (std::size_t i = First; i < Last; ++i) {
                    const double Theta = (kw * static_cast<double>(i)) / N;
                    re = re + std::cos(Theta) * x[i];
                    im = im - std::sin(Theta) * x[i];
                }
                Partial[Segment * ABins + k] = {re, im};
            }
        },
        AProgress, Seconds(Stages.Sums) / static_cast<double>(BinBlocks * Segments));
    ForEachItem(ABins, Stages.Totals, AWorkers, AProgress,
                [&](std::size_t First, std::size_t Last) {
                    for (std::size_t k = First; k < Last; ++k) {
                        std::complex<double> Sum = Partial[k];
                        for (std::size_t s = 1; s < Segments; ++s)
                            Sum = {Sum.real() + Partial[s * ABins + k].real(),
                                   Sum.imag() + Partial[s * ABins + k].imag()};
                        AResult[k] = 2 * Magnitude(Sum) / N; // a few bins: no need to hurry
                    }
                });
}
