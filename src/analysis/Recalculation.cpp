#include "analysis/Recalculation.h"

#include "analysis/CharacteristicSamples.h"
#include "analysis/CurveSynthesis.h"
#include "analysis/Dft.h"

#include <cmath>
#include <new>

namespace {

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

} // namespace

EInvalidSignal::EInvalidSignal(int ACode, int APosition)
    : EVibronaError(InvalidSignalText(ACode).arg(APosition)), FCode(ACode), FPosition(APosition) {}

void CheckSignals(TSignals& ASignals, const TFormatSettings& AFormat) {
    for (int j = 0; j < ASignals.Count(); ++j) {
        const int Code = ASignals[j].Calc(AFormat);
        if (Code != 0)
            throw EInvalidSignal(Code, j);
    }
}

TCalcResult ComputeResults(const TSignals& ASignals, const TCalcSettings& ASettings,
                           TDftWorkspace* AWorkspace) {
    // Only a damaged project could bring these; they would divide by zero below.
    if (ASettings.N < 1 || !(ASettings.dt != 0))
        throw EZeroDivide();
    try {
        TCalcResult Result;
        TCurve Curve = SampleCurve(ASignals, ASettings);

        Result.CurveTime = std::move(Curve.Time);
        Result.CurveValue = std::move(Curve.Value);
        Result.SpectrumMagnitude = SpectrumMagnitudes(Result.CurveValue, ASettings.Window,
                                                      ASettings.N, ASettings.K, AWorkspace);
        const std::size_t K = Result.SpectrumMagnitude.size();
        Result.SpectrumFrequency.resize(K);
        for (std::size_t k = 0; k < K; ++k)
            Result.SpectrumFrequency[k] = (static_cast<double>(k) / ASettings.N) / ASettings.dt;

        Result.Characteristic =
            CharacteristicSamples(Result.SpectrumFrequency, Result.SpectrumMagnitude);
        return Result;
    } catch (const std::bad_alloc&) {
        throw EVibronaError(QStringLiteral("Недостаточно памяти для расчета"));
    }
}

TCalcResult Recalculate(TSignals& ASignals, const TCalcSettings& ASettings,
                        const TFormatSettings& AFormat, TDftWorkspace* AWorkspace) {
    CheckSignals(ASignals, AFormat);
    return ComputeResults(ASignals, ASettings, AWorkspace);
}
