#include "analysis/Recalculation.h"

#include "analysis/CharacteristicSamples.h"
#include "analysis/CurveSynthesis.h"
#include "analysis/Dft.h"
#include "analysis/ResultRange.h"

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
// Seconds per bin of the frequencies, fresh memory aside.
constexpr double FrequencySeconds = 2e-9;

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
std::vector<double> Magnitudes(std::span<const double> ACurve, double ALargest,
                               const TCalcSettings& ASettings, TDftWorkspace* AWorkspace,
                               TProgress& AProgress) {
    const int Shift = TransformShift(ALargest);
    if (Shift == 0)
        return SpectrumMagnitudes(ACurve, ASettings.Window, ASettings.N, ASettings.K, AWorkspace,
                                  &AProgress);
    std::vector<double> Scaled(ACurve.begin(), ACurve.end());
    ScaleByPowerOfTwo(Scaled, Shift);
    std::vector<double> Result = SpectrumMagnitudes(Scaled, ASettings.Window, ASettings.N,
                                                    ASettings.K, AWorkspace, &AProgress);
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

TCalcCost EstimateCost(const TSignals& ASignals, const TRecords& ARecords,
                       const TCalcSettings& ASettings) {
    const int M = std::max(ASettings.M, 0);
    const int K = std::max(ASettings.K, 0);
    const TDftChoice Dft = ChooseDft(M, ASettings.N, K, ASettings.Window != wkNone);
    TCalcCost Cost;
    const double Frequencies = FrequencySeconds + FreshSeconds(K, sizeof(double));
    Cost.Seconds = CurveSeconds(M, ActiveCount(ASignals), ContributingCount(ARecords)) +
                   Dft.Seconds + Frequencies * K +
                   RangeCheckSeconds * (static_cast<double>(M) + K) + CharacteristicSeconds(K);
    Cost.Bytes = BytesPerCurvePoint * static_cast<std::uint64_t>(M) +
                 (BytesPerSpectrumPoint + BytesPerBinOfSamples) * static_cast<std::uint64_t>(K) +
                 Dft.Bytes + ARecords.SampleBytes();
    return Cost;
}

TCalcCost EstimateCost(const TSignals& ASignals, const TCalcSettings& ASettings) {
    return EstimateCost(ASignals, TRecords(), ASettings);
}

void CheckMemory(const TCalcCost& ACost, std::uint64_t AAvailableBytes) {
    if (ACost.Bytes > AAvailableBytes)
        throw EOutOfMemory();
}

TCalcResult ComputeResults(const TSignals& ASignals, const TRecords& ARecords,
                           const TCalcSettings& ASettings, TDftWorkspace* AWorkspace,
                           const TProgressCallback& AProgress) {
    // Only a damaged project could bring these; they would divide by zero below.
    if (ASettings.N < 1 || !(ASettings.dt != 0))
        throw EZeroDivide();
    TProgress Progress(AProgress, EstimateCost(ASignals, ARecords, ASettings).Seconds);
    try {
        TCalcResult Result;
        TCurve Curve = SampleCurve(ASignals, ARecords, ASettings, &Progress);

        Result.CurveTime = std::move(Curve.Time);
        Result.CurveValue = std::move(Curve.Value);
        const double Largest = CheckedCurveRange(Result.CurveTime, Result.CurveValue, Progress);
        Result.SpectrumMagnitude =
            Magnitudes(Result.CurveValue, Largest, ASettings, AWorkspace, Progress);
        const std::size_t K = Result.SpectrumMagnitude.size();
        Result.SpectrumFrequency.reserve(K);
        InTicks(K, FrequencySeconds + FreshSeconds(K, sizeof(double)), Progress,
                [&](std::size_t First, std::size_t Last) {
                    Result.SpectrumFrequency.resize(Last);
                    for (std::size_t k = First; k < Last; ++k)
                        Result.SpectrumFrequency[k] =
                            (static_cast<double>(k) / ASettings.N) / ASettings.dt;
                });
        CheckSpectrumRange(Result.SpectrumFrequency, Result.SpectrumMagnitude, Progress);

        Result.Characteristic =
            CharacteristicSamples(Result.SpectrumFrequency, Result.SpectrumMagnitude, &Progress);
        Progress.Finish();
        return Result;
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory();
    }
}

TCalcResult ComputeResults(const TSignals& ASignals, const TCalcSettings& ASettings,
                           TDftWorkspace* AWorkspace, const TProgressCallback& AProgress) {
    return ComputeResults(ASignals, TRecords(), ASettings, AWorkspace, AProgress);
}

TCalcResult Recalculate(TSignals& ASignals, const TRecords& ARecords,
                        const TCalcSettings& ASettings, const TRecalcOptions& AOptions) {
    CheckSignals(ASignals, AOptions.Format);
    const TCalcCost Cost = EstimateCost(ASignals, ARecords, ASettings);
    if (AOptions.AvailableBytes)
        CheckMemory(Cost, *AOptions.AvailableBytes);
    const TComputation Compute = [&](const TProgressCallback& AProgress) {
        return ComputeResults(ASignals, ARecords, ASettings, AOptions.Workspace, AProgress);
    };
    return AOptions.Runner ? AOptions.Runner(Cost, Compute) : Compute({});
}

TCalcResult Recalculate(TSignals& ASignals, const TCalcSettings& ASettings,
                        const TRecalcOptions& AOptions) {
    return Recalculate(ASignals, TRecords(), ASettings, AOptions);
}
