// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/Recalculation.h"

#include "analysis/CharacteristicSamples.h"
#include "analysis/CurveSynthesis.h"
#include "analysis/Dft.h"
#include "analysis/DftInput.h"
#include "analysis/ResultRange.h"
#include "analysis/Workers.h"
#include "util/HugePages.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

// The window keeps the curve and the spectrum as chart points of 16 bytes each, built
// in a temporary array first; the results stay alive meanwhile.
constexpr std::uint64_t BytesPerCurvePoint = 16 + 2 * 16;
constexpr std::uint64_t BytesPerSpectrumPoint = 16 + 2 * 16;
// A characteristic sample: a peak flag per bin, and for the peaks, at most every
// other bin, the sample in the results and again in the window's list.
constexpr std::uint64_t BytesPerBinOfSamples = 1 + 64 / 2;

// The frequencies: a division per bin into a fresh array.
TWork FrequencyWork(std::uint64_t K) {
    TWork Work = FreshArray(K, sizeof(double));
    Work.Bytes += 8 * static_cast<double>(K);
    return Work;
}

// AOut[k] = (k / N) / dt for k in [AFirst, ALast), in wide vectors where the processor
// has them.
__attribute__((target_clones("avx512f", "avx2", "default"))) void
Frequencies(std::size_t AFirst, std::size_t ALast, int N, double dt, double* AOut) {
    WithDivisionBy(N, [&](auto ADivide) {
        // k < 2^31 converts from a 32-bit integer, which every vector width does.
        for (std::size_t i = AFirst; i < ALast; ++i)
            AOut[i] = ADivide(static_cast<double>(static_cast<std::int32_t>(i))) / dt;
    });
}

TDftChoice DftFor(const TCalcSettings& ASettings) {
    return ChooseDft(std::max(ASettings.M, 0), ASettings.N, std::max(ASettings.K, 0),
                     ASettings.Window != wkNone);
}

TWork ComputeWork(const TSignals& ASignals, const TRecords& ARecords,
                  const TCalcSettings& ASettings, const TDftChoice& ADft) {
    const int M = std::max(ASettings.M, 0);
    const int K = std::max(ASettings.K, 0);
    return CurveWork(M, ActiveCount(ASignals), ContributingCount(ARecords)) + ADft.Work +
           FrequencyWork(static_cast<std::uint64_t>(K)) + CharacteristicWork(K) +
           RangeCheckWork(static_cast<std::size_t>(M) + static_cast<std::size_t>(K));
}

int ThreadsFor(const TWork& AWork, int AThreads) {
    if (!WorthThreads(AWork))
        return 1;
    return AThreads > 0 ? AThreads : AvailableCpus();
}

QString InvalidSignalText(int ACode) {
    switch (ACode) {
    case 1:
        return QStringLiteral("Ошибка значения частоты свободных колебаний (F) в сигнале [%1]!");
    case 2:
        return QStringLiteral("Ошибка значения коэффициента затухания (D) в сигнале [%1]!");
    case 3:
        return QStringLiteral("Ошибка значения частоты свободных колебаний (F) или коэффициента "
                              "затухания (D) в сигнале [%1]!");
    case 4:
        return QStringLiteral("Ошибка значения начальной амплитуды (A) в сигнале [%1]!");
    default:
        return QStringLiteral("Ошибка значения начальной скорости (V) или начальной амплитуды (A) "
                              "или коэффициента затухания (D) в сигнале [%1]!");
    }
}

// The magnitudes of a finite curve, whose largest |value| is ALargest: curves near the
// top of the range are transformed scaled down, so that no sum on the way overflows.
TNoFillVector<double> Magnitudes(std::span<const double> ACurve, double ALargest,
                                 const TCalcSettings& ASettings, TDftMethod AMethod,
                                 TDftWorkspace* AWorkspace, TWorkers* AWorkers,
                                 TProgress& AProgress) {
    const int Shift = TransformShift(ALargest);
    if (Shift == 0)
        return SpectrumMagnitudesBy(AMethod, ACurve, ASettings.Window, ASettings.N, ASettings.K,
                                    AWorkspace, AWorkers, &AProgress);
    std::vector<double> Scaled(ACurve.begin(), ACurve.end());
    ScaleByPowerOfTwo(Scaled, Shift);
    TNoFillVector<double> Result =
        SpectrumMagnitudesBy(AMethod, Scaled, ASettings.Window, ASettings.N, ASettings.K,
                             AWorkspace, AWorkers, &AProgress);
    ScaleByPowerOfTwo(Result, -Shift);
    return Result;
}

} // namespace

EOutOfMemory::EOutOfMemory() : EVibronaError(QStringLiteral("Недостаточно памяти для расчета")) {}

EInvalidSignal::EInvalidSignal(int ACode, int APosition)
    : EVibronaError(InvalidSignalText(ACode).arg(APosition)), FCode(ACode), FPosition(APosition) {}

void CheckSignals(TSignals& ASignals, const TFormatSettings& AFormat) {
    for (int j = 0; j < ASignals.Count(); ++j) {
        const int Code = ASignals[j].Calc(AFormat);
        if (Code != 0)
            throw EInvalidSignal(Code, j);
        CheckSignalRange(ASignals[j], j);
    }
}

namespace {

// The cost, and the way of the spectrum it counts.
struct TCountedCost {
    TDftChoice Dft;
    TCalcCost Cost;
};

TCountedCost CountCost(const TSignals& ASignals, const TRecords& ARecords,
                       const TCalcSettings& ASettings, int AThreads) {
    const int M = std::max(ASettings.M, 0);
    const int K = std::max(ASettings.K, 0);
    const TDftChoice Dft = DftFor(ASettings);
    TCalcCost Cost;
    Cost.Work = ComputeWork(ASignals, ARecords, ASettings, Dft);
    Cost.Seconds = Seconds(Cost.Work) / ThreadsFor(Cost.Work, AThreads);
    Cost.Bytes = BytesPerCurvePoint * static_cast<std::uint64_t>(M) +
                 (BytesPerSpectrumPoint + BytesPerBinOfSamples) * static_cast<std::uint64_t>(K) +
                 Dft.Bytes + ARecords.SampleBytes();
    return {Dft, Cost};
}

// The results, the way of the spectrum and the work counted beforehand.
TCalcResult ComputeCounted(const TSignals& ASignals, const TRecords& ARecords,
                           const TCalcSettings& ASettings, const TDftChoice& ADft,
                           const TWork& AWork, TDftWorkspace* AWorkspace,
                           const TProgressCallback& AProgress, int AThreads) {
    // Only a damaged project could bring these; they would divide by zero below.
    if (ASettings.N < 1 || !(ASettings.dt != 0))
        throw EZeroDivide();
    TProgress Progress(AProgress, Seconds(AWork));
    try {
        std::unique_ptr<TWorkers> Own;
        if (ThreadsFor(AWork, AThreads) > 1)
            Own = std::make_unique<TWorkers>(AThreads);
        TWorkers* Workers = Own.get();
        TCalcResult Result;
        TCurve Curve = SampleCurve(ASignals, ARecords, ASettings, Workers, &Progress);

        Result.CurveTime = std::move(Curve.Time);
        Result.CurveValue = std::move(Curve.Value);
        const double Largest =
            CheckedCurveRange(Result.CurveTime, Result.CurveValue, Workers, Progress);
        Result.SpectrumMagnitude = Magnitudes(Result.CurveValue, Largest, ASettings, ADft.Method,
                                              AWorkspace, Workers, Progress);
        const std::size_t K = Result.SpectrumMagnitude.size();
        ResizeHuge(Result.SpectrumFrequency, K);
        double* const Frequency = Result.SpectrumFrequency.data();
        ForEachItem(K, FrequencyWork(K), Workers, Progress,
                    [&](std::size_t First, std::size_t Last) {
                        Frequencies(First, Last, ASettings.N, ASettings.dt, Frequency);
                    });
        CheckSpectrumRange(Result.SpectrumFrequency, Result.SpectrumMagnitude, Workers, Progress);

        Result.Characteristic = CharacteristicSamples(Result.SpectrumFrequency,
                                                      Result.SpectrumMagnitude, Workers, &Progress);
        Progress.Finish();
        return Result;
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory();
    }
}

} // namespace

TCalcCost EstimateCost(const TSignals& ASignals, const TRecords& ARecords,
                       const TCalcSettings& ASettings, int AThreads) {
    return CountCost(ASignals, ARecords, ASettings, AThreads).Cost;
}

TCalcCost EstimateCost(const TSignals& ASignals, const TCalcSettings& ASettings, int AThreads) {
    return EstimateCost(ASignals, TRecords(), ASettings, AThreads);
}

void CheckMemory(const TCalcCost& ACost, std::uint64_t AAvailableBytes) {
    if (ACost.Bytes > AAvailableBytes)
        throw EOutOfMemory();
}

TCalcResult ComputeResults(const TSignals& ASignals, const TRecords& ARecords,
                           const TCalcSettings& ASettings, TDftWorkspace* AWorkspace,
                           const TProgressCallback& AProgress, int AThreads) {
    const TDftChoice Dft = DftFor(ASettings);
    return ComputeCounted(ASignals, ARecords, ASettings, Dft,
                          ComputeWork(ASignals, ARecords, ASettings, Dft), AWorkspace, AProgress,
                          AThreads);
}

TCalcResult ComputeResults(const TSignals& ASignals, const TCalcSettings& ASettings,
                           TDftWorkspace* AWorkspace, const TProgressCallback& AProgress,
                           int AThreads) {
    return ComputeResults(ASignals, TRecords(), ASettings, AWorkspace, AProgress, AThreads);
}

TCalcResult Recalculate(TSignals& ASignals, const TRecords& ARecords,
                        const TCalcSettings& ASettings, const TRecalcOptions& AOptions) {
    CheckSignals(ASignals, AOptions.Format);
    const TCountedCost Counted = CountCost(ASignals, ARecords, ASettings, AOptions.Threads);
    if (AOptions.AvailableBytes)
        CheckMemory(Counted.Cost, *AOptions.AvailableBytes);
    const TComputation Compute = [&](const TProgressCallback& AProgress) {
        return ComputeCounted(ASignals, ARecords, ASettings, Counted.Dft, Counted.Cost.Work,
                              AOptions.Workspace, AProgress, AOptions.Threads);
    };
    return AOptions.Runner ? AOptions.Runner(Counted.Cost, Compute) : Compute({});
}

TCalcResult Recalculate(TSignals& ASignals, const TCalcSettings& ASettings,
                        const TRecalcOptions& AOptions) {
    return Recalculate(ASignals, TRecords(), ASettings, AOptions);
}
