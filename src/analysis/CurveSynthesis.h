// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Progress.h"
#include "analysis/WorkCost.h"
#include "model/CalcSettings.h"
#include "model/RecordList.h"
#include "model/SignalList.h"
#include "util/NoFillVector.h"

#include <vector>

class TWorkers;

// The sampled composite signal: M points at the accumulated time t (t(0) = 0,
// t(i + 1) = t(i) + dt rounded to double), each C plus the active signals.
struct TCurve {
    TNoFillVector<double> Time;
    TNoFillVector<double> Value;
};

// Expects every signal to have passed Calc. Small curves are summed term by term
// exactly as written. Large ones run in blocks of time on the workers: each block
// starts every signal from its exact value at the block's first sample and advances
// it by rotation, which keeps every value within 1e-11 of the exact expression
// relative to the signal's amplitude; the blocks never depend on the number of
// threads, nor the values on them.
TCurve SampleCurve(const TSignals& ASignals, const TCalcSettings& ASettings,
                   TWorkers* AWorkers = nullptr, TProgress* AProgress = nullptr);
// The same with the records added after the signals, block by block on the workers;
// without contributing records the curve is the signals' alone, to the bit.
TCurve SampleCurve(const TSignals& ASignals, const TRecords& ARecords,
                   const TCalcSettings& ASettings, TWorkers* AWorkers = nullptr,
                   TProgress* AProgress = nullptr);

// The work of SampleCurve for M samples of ATerms active signals and ARecords
// contributing records.
TWork CurveWork(int M, int ATerms, int ARecords = 0);
// The number of records that add to the curve: active ones whose samples were read.
int ContributingCount(const TRecords& ARecords);
// The number of active signals, which is what the curve's cost depends on.
int ActiveCount(const TSignals& ASignals);

// The term-by-term sum, whatever the size.
TCurve SampleCurveDirect(const TSignals& ASignals, const TCalcSettings& ASettings);
