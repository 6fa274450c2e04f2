#pragma once

#include "model/ObjectList.h"

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

// The peak rule over any sequence of n magnitudes: strict local maxima above 1e-8,
// where an end sample needs only its one neighbour to be smaller. AMark(i) is
// called for every peak, inner samples first, then the first and the last.
template <typename TMagnitude, typename TMark>
void MarkLocalMaxima(int n, TMagnitude AMagnitude, TMark AMark) {
    constexpr double Threshold = 1e-8;
    for (int i = 1; i <= n - 2; ++i) {
        const double m = AMagnitude(i);
        if (AMagnitude(i - 1) < m && AMagnitude(i + 1) < m && m > Threshold)
            AMark(i);
    }
    if (n >= 2 && AMagnitude(1) < AMagnitude(0) && AMagnitude(0) > Threshold)
        AMark(0);
    if (n >= 2 && AMagnitude(n - 2) < AMagnitude(n - 1) && AMagnitude(n - 1) > Threshold)
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
