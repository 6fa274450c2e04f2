#include "analysis/CharacteristicSamples.h"

#include <algorithm>
#include <memory>

namespace {

constexpr std::size_t HeadSize = 5;
// Seconds per sample of each pass over the spectrum, calibrated with the benchmark.
constexpr double PassSeconds = 1.5e-9;
// Finding the strongest: a rising spectrum moves every sample through the head.
constexpr double StrongestSeconds = 6e-9;
// The passes that write: the peak marks, and the peaks, allowing for one in eight.
double MarkSeconds(std::size_t K) {
    return PassSeconds + FreshSeconds(K, 1);
}
double CollectSeconds(std::size_t K) {
    return PassSeconds + FreshSeconds(K / 8, sizeof(TSpectrumSample)) / 8;
}

// Positions of the strongest samples in one pass; a later sample enters only when
// strictly larger, so equal magnitudes keep their order of frequency.
std::vector<std::size_t> Strongest(std::span<const double> AMagnitude, TProgress& AProgress) {
    std::vector<std::size_t> Head;
    InTicks(AMagnitude.size(), StrongestSeconds, AProgress,
            [&](std::size_t First, std::size_t Last) {
                for (std::size_t i = First; i < Last; ++i) {
                    const double m = AMagnitude[i];
                    if (Head.size() == HeadSize && !(m > AMagnitude[Head.back()]))
                        continue;
                    auto Pos = Head.end();
                    while (Pos != Head.begin() && m > AMagnitude[*(Pos - 1)])
                        --Pos;
                    Head.insert(Pos, i);
                    if (Head.size() > HeadSize)
                        Head.pop_back();
                }
            });
    return Head;
}

} // namespace

double CharacteristicSeconds(int K) {
    const std::size_t n = static_cast<std::size_t>(std::max(K, 0));
    return (MarkSeconds(n) + PassSeconds + StrongestSeconds + CollectSeconds(n)) *
           static_cast<double>(n);
}

std::vector<TSpectrumSample> CharacteristicSamples(std::span<const double> AFrequency,
                                                   std::span<const double> AMagnitude,
                                                   TProgress* AProgress) {
    TProgress Silent;
    TProgress& Progress = AProgress ? *AProgress : Silent;
    const int n = static_cast<int>(AMagnitude.size());
    std::vector<char> Peak;
    Peak.reserve(AMagnitude.size());
    InTicks(AMagnitude.size(), MarkSeconds(AMagnitude.size()), Progress,
            [&](std::size_t First, std::size_t Last) { Peak.insert(Peak.end(), Last - First, 0); });
    // The peak rule reads each magnitude about three times; the reads count the work.
    const std::size_t ReadsPerTick = 3 * TProgress::ItemsPerTick(PassSeconds);
    std::size_t Reads = 0, Peaks = 0;
    MarkLocalMaxima(
        n,
        [&](int i) {
            if (++Reads == ReadsPerTick) {
                Reads = 0;
                Progress.Advance(PassSeconds * static_cast<double>(ReadsPerTick) / 3);
            }
            return AMagnitude[i];
        },
        [&](int i) {
            Peak[i] = 1;
            ++Peaks;
        });

    // Room for all at once: growing a vector of millions of peaks would copy them
    // into fresh memory in one piece.
    std::vector<TSpectrumSample> Result;
    Result.reserve(HeadSize + Peaks);
    for (const std::size_t i : Strongest(AMagnitude, Progress))
        Result.emplace_back(AFrequency[i], AMagnitude[i]);
    InTicks(AMagnitude.size(), CollectSeconds(AMagnitude.size()), Progress,
            [&](std::size_t First, std::size_t Last) {
                for (std::size_t i = First; i < Last; ++i) {
                    if (Peak[i]) {
                        Result.emplace_back(AFrequency[i], AMagnitude[i]);
                        Result.back().SetPeak(true);
                    }
                }
            });
    return Result;
}

void FillSpectrum(TSpectrum& ASpectrum, const std::vector<TSpectrumSample>& ASamples) {
    ASpectrum.Clear();
    for (const TSpectrumSample& Sample : ASamples)
        ASpectrum.Add(std::make_unique<TSpectrumSample>(Sample));
}
