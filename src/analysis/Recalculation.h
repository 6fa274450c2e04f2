// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Dft.h"
#include "analysis/Progress.h"
#include "analysis/ResultRange.h"
#include "model/CalcSettings.h"
#include "model/RecordList.h"
#include "model/SignalList.h"
#include "model/Spectrum.h"
#include "util/Errors.h"
#include "util/FormatSettings.h"
#include "util/NoFillVector.h"

#include <cstdint>
#include <functional>
#include <optional>
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

// A recalculation that would not fit into memory: "Недостаточно памяти для расчета".
class EOutOfMemory : public EVibronaError {
public:
    EOutOfMemory();
};

// Everything a recalculation leaves for the views and the exports.
struct TCalcResult {
    TNoFillVector<double> CurveTime; // M points
    TNoFillVector<double> CurveValue;
    TNoFillVector<double> SpectrumFrequency; // K points, ascending k
    TNoFillVector<double> SpectrumMagnitude;
    std::vector<TSpectrumSample> Characteristic; // the strongest five, then the peaks
};

// Calc on every signal in list order, active or not; raises EInvalidSignal at the
// first nonzero result, or EOutOfRange at the first signal whose values overflowed,
// leaving the signals after it untouched.
void CheckSignals(TSignals& ASignals, const TFormatSettings& AFormat = TFormatSettings::Default());

// What a recalculation takes: its counted work, the estimated seconds of
// ComputeResults on the threads it will have, and the bytes of the results, of the
// window's chart series built from them and of the working memory.
struct TCalcCost {
    TWork Work;
    double Seconds;
    std::uint64_t Bytes;
};

// What a recalculation of these signals, records and settings will take on AThreads
// threads (<= 0: the CPUs the process may run on), before any allocation. The bytes
// count the records' samples too, which the run holds meanwhile.
TCalcCost EstimateCost(const TSignals& ASignals, const TRecords& ARecords,
                       const TCalcSettings& ASettings, int AThreads = 0);
// The same without records.
TCalcCost EstimateCost(const TSignals& ASignals, const TCalcSettings& ASettings, int AThreads = 0);
// Raises EOutOfMemory when ACost.Bytes exceeds AAvailableBytes.
void CheckMemory(const TCalcCost& ACost, std::uint64_t AAvailableBytes);

// The curve, the windowed spectrum and the characteristic samples of signals that
// passed CheckSignals and of the records, on AThreads threads (<= 0: the CPUs the
// process may run on; the results are the same bits whatever the number). A workspace
// kept by the caller saves planning the FFT anew. Runs on any thread as long as the
// signals, the settings and the workspace stay untouched meanwhile; only one
// computation may plan FFTs at a time. AProgress is consulted, on the calling thread,
// at least every few hundredths of a second of work; when it returns false the
// computation raises ECancelled and leaves nothing behind. A curve, a time, a
// frequency or a magnitude beyond the range of double raises EOutOfRange.
TCalcResult ComputeResults(const TSignals& ASignals, const TRecords& ARecords,
                           const TCalcSettings& ASettings, TDftWorkspace* AWorkspace = nullptr,
                           const TProgressCallback& AProgress = {}, int AThreads = 0);
// The same without records.
TCalcResult ComputeResults(const TSignals& ASignals, const TCalcSettings& ASettings,
                           TDftWorkspace* AWorkspace = nullptr,
                           const TProgressCallback& AProgress = {}, int AThreads = 0);

// Runs the heavy part of a recalculation, ACompute, which the runner gives a progress
// callback; ACost says what it will take. The window runs a long one on a worker
// thread behind a progress window with a way to cancel.
using TComputation = std::function<TCalcResult(const TProgressCallback& AProgress)>;
using TComputeRunner =
    std::function<TCalcResult(const TCalcCost& ACost, const TComputation& ACompute)>;

// How a recalculation is run; the defaults run it in place without a memory check.
struct TRecalcOptions {
    TRecalcOptions(TFormatSettings AFormat = TFormatSettings::Default()) : Format(AFormat) {}

    TFormatSettings Format;
    TDftWorkspace* Workspace = nullptr;
    // Threads of the computation; 0: the CPUs the process may run on.
    int Threads = 0;
    // The memory the run must fit into, when known: the free physical memory within
    // the process's own limits.
    std::optional<std::uint64_t> AvailableBytes;
    TComputeRunner Runner;
};

// The one recalculation: CheckSignals, then the estimate of its cost and the memory
// check, then ComputeResults through the runner. The curve is C plus the active
// signals plus the active records; the signal list may be empty. Nothing but the
// signals' derived values has changed when it raises.
TCalcResult Recalculate(TSignals& ASignals, const TRecords& ARecords,
                        const TCalcSettings& ASettings, const TRecalcOptions& AOptions = {});
// The same without records.
TCalcResult Recalculate(TSignals& ASignals, const TCalcSettings& ASettings,
                        const TRecalcOptions& AOptions = {});
