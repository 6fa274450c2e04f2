#pragma once

#include "analysis/Dft.h"
#include "model/CalcSettings.h"
#include "model/SignalList.h"
#include "model/Spectrum.h"
#include "util/Errors.h"
#include "util/FormatSettings.h"

#include <vector>

// A signal that Calc refused; the message names its position, counted from 0.
class EInvalidSignal : public EVibronaError {
public:
    EInvalidSignal(int ACode, int APosition);
    int Code() const { return FCode; }
    int Position() const { return FPosition; }

private:
    int FCode;
    int FPosition;
};

// Everything a recalculation leaves for the views and the exports.
struct TCalcResult {
    std::vector<double> CurveTime; // M points
    std::vector<double> CurveValue;
    std::vector<double> SpectrumFrequency; // K points, ascending k
    std::vector<double> SpectrumMagnitude;
    std::vector<TSpectrumSample> Characteristic; // the strongest five, then the peaks
};

// Calc on every signal in list order, active or not; raises EInvalidSignal at the
// first nonzero result, leaving the signals after it untouched.
void CheckSignals(TSignals& ASignals, const TFormatSettings& AFormat = TFormatSettings::Default());

// The curve, the windowed spectrum and the characteristic samples of signals that
// passed CheckSignals. A workspace kept by the caller saves planning the FFT anew.
TCalcResult ComputeResults(const TSignals& ASignals, const TCalcSettings& ASettings,
                           TDftWorkspace* AWorkspace = nullptr);

// CheckSignals, then ComputeResults.
TCalcResult Recalculate(TSignals& ASignals, const TCalcSettings& ASettings,
                        const TFormatSettings& AFormat = TFormatSettings::Default(),
                        TDftWorkspace* AWorkspace = nullptr);
