#pragma once

#include "model/SignalTypes.h"

#include <memory>
#include <span>
#include <vector>

// The FFT plan and buffer of the last transform size, kept between recalculations:
// planning a large transform costs more than running it.
class TDftWorkspace {
public:
    TDftWorkspace();
    ~TDftWorkspace();
    TDftWorkspace(const TDftWorkspace&) = delete;
    TDftWorkspace& operator=(const TDftWorkspace&) = delete;

    // A buffer of N reals that transforms in place into N / 2 + 1 complex bins,
    // or null when it cannot be had.
    double* Prepare(int N);
    void Execute();

private:
    struct TState;
    std::unique_ptr<TState> FState;
};

// Magnitudes 2 * |X(k)| / N of the bins k = 0 .. K - 1 of the N-point DFT of the
// curve weighted by a window of kind AWindow that spans all of the curve; zero-padded
// when N exceeds the curve, truncated when N is smaller. Bins above N / 2 mirror
// those below it, and bins from N on repeat with period N.
//
// Uses a real-input FFT of size N, unless summing directly over the nonzero inputs
// is cheaper or an N-sized buffer would be too large; the direct sum allocates
// nothing proportional to N.
std::vector<double> SpectrumMagnitudes(std::span<const double> ACurve, TWindowKind AWindow, int N,
                                       int K, TDftWorkspace* AWorkspace = nullptr);

// The direct summation over inputs already weighted: theta = ((k * 2 pi) * i) / N.
std::vector<double> SpectrumMagnitudesDirect(std::span<const double> x, int N, int K);

// True when SpectrumMagnitudes would take the FFT for these sizes.
bool PrefersFft(int AInputs, int N, int K);
