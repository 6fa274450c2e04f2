#include "model/Spectrum.h"

namespace {
constexpr double PeakThreshold = 1e-8;
}

int CompareSamplesByMagnitude(const TSpectrumSample& AFirst, const TSpectrumSample& ASecond) {
    if (AFirst.Magnitude() > ASecond.Magnitude())
        return -1;
    if (AFirst.Magnitude() < ASecond.Magnitude())
        return 1;
    return 0;
}

void TSpectrum::MarkPeaks() {
    const int n = Count();
    const auto m = [this](int i) { return GetSample(i).Magnitude(); };
    for (int i = 1; i <= n - 2; ++i)
        if (m(i - 1) < m(i) && m(i + 1) < m(i) && m(i) > PeakThreshold)
            GetSample(i).SetPeak(true);
    if (n >= 2 && m(1) < m(0) && m(0) > PeakThreshold)
        GetSample(0).SetPeak(true);
    if (n >= 2 && m(n - 2) < m(n - 1) && m(n - 1) > PeakThreshold)
        GetSample(n - 1).SetPeak(true);
}
