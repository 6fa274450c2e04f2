// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/CharacteristicSamples.h"

#include "analysis/Workers.h"
#include "util/HugePages.h"

#include <algorithm>
#include <memory>

namespace {

constexpr std::size_t HeadSize = 5;
// Samples per block of the passes over the spectrum.
constexpr std::size_t Block = std::size_t{1} << 16;

// Keeps the positions of the strongest samples in AHead as APositions offers them in
// ascending order: a later sample enters only when strictly larger, so equal
// magnitudes keep their order of frequency.
template <typename TPositions>
void KeepStrongest(std::span<const double> AMagnitude, const TPositions& APositions,
                   std::vector<std::size_t>& AHead) {
    for (const std::size_t i : APositions) {
        const double m = AMagnitude[i];
        if (AHead.size() == HeadSize && !(m > AMagnitude[AHead.back()]))
            continue;
        auto Pos = AHead.end();
        while (Pos != AHead.begin() && m > AMagnitude[*(Pos - 1)])
            --Pos;
        AHead.insert(Pos, i);
        if (AHead.size() > HeadSize)
            AHead.pop_back();
    }
}

// Marks the peaks among the inner samples [AFirst, ALast), 0 < AFirst, ALast < n, by
// the rule of IsLocalMaximum, and counts them: without branches, so the loop runs in
// wide vectors.
__attribute__((target_clones("avx512f", "avx2", "default"))) std::size_t
MarkInnerPeaks(const double* AMagnitude, std::size_t AFirst, std::size_t ALast, char* AMarks) {
    std::size_t Count = 0;
    for (std::size_t i = AFirst; i < ALast; ++i) {
        const double m = AMagnitude[i];
        const unsigned char IsPeak =
            static_cast<unsigned char>(static_cast<unsigned>(m > PeakThreshold) &
                                       static_cast<unsigned>(AMagnitude[i - 1] < m) &
                                       static_cast<unsigned>(AMagnitude[i + 1] < m));
        AMarks[i] = static_cast<char>(IsPeak);
        Count += IsPeak;
    }
    return Count;
}

// The positions [AFirst, ALast) one by one.
struct TRange {
    std::size_t First, Last;
    struct TIterator {
        std::size_t i;
        std::size_t operator*() const { return i; }
        TIterator& operator++() {
            ++i;
            return *this;
        }
        bool operator!=(const TIterator& AOther) const { return i != AOther.i; }
    };
    TIterator begin() const { return {First}; }
    TIterator end() const { return {Last}; }
};

// The first pass: the peak marks, fresh, and the strongest of each block, with its
// peak count.
TWork MarkWork(std::size_t n) {
    TWork Work = FreshArray(n, 1);
    Work.Bytes += (3 * sizeof(double) + 1) * static_cast<double>(n);
    return Work;
}
// The second: the peaks copied out, allowing for a peak every fourth sample.
TWork CollectWork(std::size_t n) {
    TWork Work = FreshArray(n / 4, sizeof(TSpectrumSample));
    Work.Bytes += (1 + sizeof(TSpectrumSample) / 4.0) * static_cast<double>(n);
    return Work;
}

} // namespace

TWork CharacteristicWork(int K) {
    const std::size_t n = static_cast<std::size_t>(std::max(K, 0));
    return MarkWork(n) + CollectWork(n);
}

std::vector<TSpectrumSample> CharacteristicSamples(std::span<const double> AFrequency,
                                                   std::span<const double> AMagnitude,
                                                   TWorkers* AWorkers, TProgress* AProgress) {
    TProgress Silent;
    TProgress& Progress = AProgress ? *AProgress : Silent;
    const std::size_t n = AMagnitude.size();
    const std::size_t Blocks = BlockCount(n, Block);
    std::vector<char> Peak;
    ResizeHuge(Peak, n);
    std::vector<std::vector<std::size_t>> Heads(Blocks);
    std::vector<std::size_t> Peaks(Blocks);
    // Plain pointers: a store through char may alias anything, and would have every
    // value read again.
    const double* const Magnitudes = AMagnitude.data();
    const auto Magnitude = [Magnitudes](std::int64_t i) { return Magnitudes[i]; };
    RunBlocks(
        AWorkers, Blocks,
        [&](std::size_t b) {
            const std::size_t First = b * Block, Last = std::min(n, First + Block);
            // The inner samples a vector at a time, the two ends by the rule itself.
            const std::size_t InnerFirst = std::max<std::size_t>(First, 1);
            const std::size_t InnerLast = std::min(Last, n - 1);
            std::size_t Count = InnerFirst < InnerLast
                                    ? MarkInnerPeaks(Magnitudes, InnerFirst, InnerLast, Peak.data())
                                    : 0;
            const std::int64_t Size = static_cast<std::int64_t>(n);
            for (const std::size_t i : {std::size_t{0}, n - 1})
                if (i >= First && i < Last) {
                    const bool IsPeak =
                        IsLocalMaximum(Size, Magnitude, static_cast<std::int64_t>(i));
                    Peak[i] = IsPeak ? 1 : 0;
                    Count += IsPeak ? 1 : 0;
                }
            Peaks[b] = Count;
            KeepStrongest(AMagnitude, TRange{First, Last}, Heads[b]);
        },
        Progress, Seconds(MarkWork(n)) / static_cast<double>(std::max<std::size_t>(Blocks, 1)));

    // The strongest of the blocks' strongest, offered in ascending position.
    std::vector<std::size_t> Head;
    for (const std::vector<std::size_t>& Candidates : Heads) {
        std::vector<std::size_t> Sorted(Candidates);
        std::sort(Sorted.begin(), Sorted.end());
        KeepStrongest(AMagnitude, Sorted, Head);
    }
    std::vector<std::size_t> Offset(Blocks + 1, Head.size());
    for (std::size_t b = 0; b < Blocks; ++b)
        Offset[b + 1] = Offset[b] + Peaks[b];

    std::vector<TSpectrumSample> Result;
    ResizeHuge(Result, Offset[Blocks], TSpectrumSample(0, 0));
    for (std::size_t p = 0; p < Head.size(); ++p)
        Result[p] = TSpectrumSample(AFrequency[Head[p]], AMagnitude[Head[p]]);
    RunBlocks(
        AWorkers, Blocks,
        [&](std::size_t b) {
            const std::size_t First = b * Block, Last = std::min(n, First + Block);
            std::size_t At = Offset[b];
            for (std::size_t i = First; i < Last; ++i)
                if (Peak[i]) {
                    Result[At] = TSpectrumSample(AFrequency[i], AMagnitude[i]);
                    Result[At++].SetPeak(true);
                }
        },
        Progress, Seconds(CollectWork(n)) / static_cast<double>(std::max<std::size_t>(Blocks, 1)));
    return Result;
}

void FillSpectrum(TSpectrum& ASpectrum, const std::vector<TSpectrumSample>& ASamples) {
    ASpectrum.Clear();
    for (const TSpectrumSample& Sample : ASamples)
        ASpectrum.Add(std::make_unique<TSpectrumSample>(Sample));
}
