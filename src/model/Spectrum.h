// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/ObjectList.h"

#include <cstdint>

// One line of the spectrum. Peak is set only by TSpectrum::MarkPeaks.
class TSpectrumSample {
public:
    TSpectrumSample(double AFrequency, double AMagnitude)
        : FFrequency(AFrequency), FMagnitude(AMagnitude) {}

    double Frequency() const { return FFrequency; }
    void SetFrequency(double AValue) { FFrequency = AValue; }
    double Magnitude() const { return FMagnitude; }
    void SetMagnitude(double AValue) { FMagnitude = AValue; }
    bool Peak() const { return FPeak; }
    void SetPeak(bool AValue) { FPeak = AValue; }

private:
    double FFrequency;
    double FMagnitude;
    bool FPeak = false;
};

// A peak stands above this magnitude.
inline constexpr double PeakThreshold = 1e-8;

// The peak rule over any sequence of n magnitudes: strict local maxima above
// PeakThreshold, where an end sample needs only its one neighbour to be smaller.
template <typename TMagnitude>
bool IsLocalMaximum(std::int64_t n, TMagnitude AMagnitude, std::int64_t i) {
    if (n < 2)
        return false;
    const double m = AMagnitude(i);
    if (!(m > PeakThreshold))
        return false;
    if (i == 0)
        return AMagnitude(1) < m;
    if (i == n - 1)
        return AMagnitude(n - 2) < m;
    return AMagnitude(i - 1) < m && AMagnitude(i + 1) < m;
}

// AMark(i) is called for every peak of the rule above, inner samples first, then the
// first and the last.
template <typename TMagnitude, typename TMark>
void MarkLocalMaxima(int n, TMagnitude AMagnitude, TMark AMark) {
    for (int i = 1; i <= n - 2; ++i)
        if (IsLocalMaximum(n, AMagnitude, i))
            AMark(i);
    if (n >= 2 && IsLocalMaximum(n, AMagnitude, 0))
        AMark(0);
    if (n >= 2 && IsLocalMaximum(n, AMagnitude, n - 1))
        AMark(n - 1);
}

// -1 when the first magnitude is greater, 1 when it is smaller, 0 when equal:
// sorting with it puts the samples in order of decreasing magnitude.
int CompareSamplesByMagnitude(const TSpectrumSample& AFirst, const TSpectrumSample& ASecond);

// The owning list of spectrum samples.
class TSpectrum : public TObjectList<TSpectrumSample> {
public:
    TSpectrumSample& Samples(int Index) const { return GetSample(Index); }
    TSpectrumSample& operator[](int Index) const { return GetSample(Index); }
    void SetSamples(int Index, std::unique_ptr<TSpectrumSample> AItem) {
        SetSample(Index, std::move(AItem));
    }

    // Marks the strict local maxima above 1e-8; an end sample needs only its one
    // neighbour to be smaller. Never clears a mark.
    void MarkPeaks();

protected:
    TSpectrumSample& GetSample(int Index) const { return GetItem(Index); }
    void SetSample(int Index, std::unique_ptr<TSpectrumSample> AItem) {
        SetItem(Index, std::move(AItem));
    }
};
