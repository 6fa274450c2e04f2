#include "analysis/CharacteristicSamples.h"

#include <algorithm>
#include <memory>

namespace {

constexpr std::size_t HeadSize = 5;

// Positions of the strongest samples in one pass; a later sample enters only when
// strictly larger, so equal magnitudes keep their order of frequency.
std::vector<std::size_t> Strongest(std::span<const double> AMagnitude) {
    std::vector<std::size_t> Head;
    for (std::size_t i = 0; i < AMagnitude.size(); ++i) {
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
    return Head;
}

} // namespace

std::vector<TSpectrumSample> CharacteristicSamples(std::span<const double> AFrequency,
                                                   std::span<const double> AMagnitude) {
    const int n = static_cast<int>(AMagnitude.size());
    std::vector<char> Peak(AMagnitude.size(), 0);
    MarkLocalMaxima(
        n, [&](int i) { return AMagnitude[i]; }, [&](int i) { Peak[i] = 1; });

    std::vector<TSpectrumSample> Result;
    for (const std::size_t i : Strongest(AMagnitude))
        Result.emplace_back(AFrequency[i], AMagnitude[i]);
    for (std::size_t i = 0; i < AMagnitude.size(); ++i) {
        if (Peak[i]) {
            Result.emplace_back(AFrequency[i], AMagnitude[i]);
            Result.back().SetPeak(true);
        }
    }
    return Result;
}

void FillSpectrum(TSpectrum& ASpectrum, const std::vector<TSpectrumSample>& ASamples) {
    ASpectrum.Clear();
    for (const TSpectrumSample& Sample : ASamples)
        ASpectrum.Add(std::make_unique<TSpectrumSample>(Sample));
}
