#pragma once

#include "analysis/Progress.h"
#include "model/CalcSettings.h"
#include "model/RecordList.h"
#include "model/SignalList.h"

#include <vector>

// The sampled composite signal: M points at the accumulated time t (t(0) = 0,
// t(i + 1) = t(i) + dt rounded to double), each C plus the active signals plus the
// active records.
struct TCurve {
    std::vector<double> Time;
    std::vector<double> Value;
};

// Expects every signal to have passed Calc. Small curves are summed term by term
// exactly as written; large ones advance each signal by rotation between exact
// anchors, which keeps every value within 1e-11 of the exact expression relative
// to the signal's amplitude.
// The records are added after the signals; without records the curve is the
// signals' alone, to the bit.
// The progress hears of the work as CurveSeconds counts it.
TCurve SampleCurve(const TSignals& ASignals, const TRecords& ARecords,
                   const TCalcSettings& ASettings, TProgress* AProgress = nullptr);
// A curve of signals alone.
TCurve SampleCurve(const TSignals& ASignals, const TCalcSettings& ASettings,
                   TProgress* AProgress = nullptr);

// Estimated seconds of SampleCurve for M samples of ATerms active signals and
// ARecords contributing records.
double CurveSeconds(int M, int ATerms, int ARecords = 0);
// The number of active signals, which is what the curve's cost depends on.
int ActiveCount(const TSignals& ASignals);
// The number of records that add into the curve.
int ContributingCount(const TRecords& ARecords);

// The term-by-term sum, whatever the size.
TCurve SampleCurveDirect(const TSignals& ASignals, const TCalcSettings& ASettings);
