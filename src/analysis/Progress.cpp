#include "analysis/Progress.h"

#include <algorithm>
#include <cmath>

ECancelled::ECancelled() : EVibronaError(QStringLiteral("Расчет прерван")) {}

TProgress::TProgress(const TProgressCallback& ACallback, double ATotalSeconds)
    : FCallback(ACallback ? &ACallback : nullptr), FTotal(std::max(ATotalSeconds, 0.0)) {
    Report(0);
}

void TProgress::Advance(double ASeconds) {
    FDone += ASeconds;
    if (FCallback && FDone >= FNextReport)
        Report(FTotal > 0 ? FDone / FTotal : 0);
}

std::size_t TProgress::ItemsPerTick(double ASecondsEach) {
    if (!(ASecondsEach > 0))
        return 1;
    return static_cast<std::size_t>(std::max(1.0, std::floor(TickSeconds / ASecondsEach)));
}

void TProgress::Finish() {
    Report(1);
}

void TProgress::Report(double ADone) {
    FNextReport = FDone + TickSeconds;
    if (!FCallback)
        return;
    // The estimate of a stage may fall short of its real work; the share never goes back.
    FLastShare = std::max(FLastShare, std::clamp(ADone, 0.0, 1.0));
    if (!(*FCallback)(FLastShare))
        throw ECancelled();
}

double FreshSeconds(std::uint64_t ACount, std::uint64_t AItemBytes) {
    constexpr std::uint64_t FreshFrom = std::uint64_t{1} << 20;
    return ACount * AItemBytes >= FreshFrom ? static_cast<double>(AItemBytes) * FreshByteSeconds
                                            : 0.0;
}

double FilledSeconds(std::size_t ACount) {
    return 1e-9 + FreshSeconds(ACount, sizeof(double));
}

std::vector<double> FilledVector(std::size_t ACount, double AValue, TProgress& AProgress) {
    std::vector<double> Result;
    Result.reserve(ACount);
    InTicks(ACount, FilledSeconds(ACount), AProgress, [&](std::size_t First, std::size_t Last) {
        Result.insert(Result.end(), Last - First, AValue);
    });
    return Result;
}
