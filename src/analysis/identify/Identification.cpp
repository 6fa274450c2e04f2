// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/identify/Identification.h"

#include "analysis/Workers.h"
#include "analysis/identify/MatrixPencil.h"
#include "model/Signal.h"

#include <Eigen/Core>
#include <Eigen/QR>

#include <algorithm>
#include <cmath>
#include <complex>
#include <new>
#include <numbers>
#include <vector>

namespace {

// An oscillation that grows by less than this share over the span is taken as a sine
// wave disturbed by noise; a faster one is dropped.
constexpr double GrowthTolerance = 0.01;
// A real pole whose exponential changes by less than this share over the span is the
// constant.
constexpr double ConstantTolerance = 0.05;
// Below this ratio of Wd to D a pole does not oscillate in any visible way.
constexpr double OscillationRatio = 1e-6;
// Estimated seconds per element of the least-squares basis (an exp, a cos and a sin per
// two) and per element and column of its factorisation.
// An exponential, a cosine and a sine per oscillation and sample: 1.5 per column.
TWork BasisWork(double ARows, double ACols) {
    TWork Work;
    Work.Functions = 1.5 * ARows * ACols;
    return Work;
}

// The least-squares factorisation of the basis.
TWork FactorWork(double ARows, double ACols) {
    TWork Work;
    Work.Flops = ARows * ACols * ACols;
    return Work;
}

struct TComponent {
    double D = 0, Wd = 0;
};

struct TComponents {
    std::vector<TComponent> Oscillations;
    bool HasConstant = false;
    int Dropped = 0;
};

void CheckInput(std::span<const double> AValues, double ADt) {
    if (!(ADt > 0) || !std::isfinite(ADt))
        throw EVibronaError(QStringLiteral("Шаг dt должен быть положительным числом"));
    if (AValues.size() < IdentifyMinSamples)
        throw EVibronaError(
            QStringLiteral("Участок слишком короткий: для подбора колебаний нужно не менее %1 "
                           "отсчетов")
                .arg(IdentifyMinSamples));
    // Only the samples analysed matter.
    for (const double y : AValues.first(std::min(AValues.size(), IdentifyMaxSamples)))
        if (!std::isfinite(y))
            throw EVibronaError(QStringLiteral("На участке есть значения, которые не являются "
                                               "конечными числами"));
}

// Sorts the poles into what the signal model can hold: damped oscillations (one per
// conjugate pair), sine waves and the constant; the rest is counted as dropped.
TComponents Classify(const std::vector<std::complex<double>>& APoles, double ADt,
                     double ADuration) {
    TComponents Result;
    double ConstantDecay = ConstantTolerance;
    bool HadConstant = false;
    for (const std::complex<double> z : APoles) {
        if (z.imag() < 0)
            continue; // the conjugate of a pair counted with its partner
        const double D = -std::log(std::abs(z)) / ADt;
        if (z.imag() == 0) {
            const double Decay = std::abs(D) * ADuration;
            if (z.real() > 0 && Decay <= ConstantDecay) {
                Result.Dropped += HadConstant ? 1 : 0;
                HadConstant = true;
                ConstantDecay = Decay;
            } else {
                ++Result.Dropped;
            }
            continue;
        }
        const double Wd = std::arg(z) / ADt;
        const double F = std::hypot(Wd, D) / (2 * std::numbers::pi);
        if (Wd <= OscillationRatio * std::abs(D) || F <= SignalTolerance ||
            D * ADuration < -GrowthTolerance) {
            ++Result.Dropped;
            continue;
        }
        // A sine wave's damping is 0, as its formula shows.
        Result.Oscillations.push_back({D > SignalTolerance ? D : 0.0, Wd});
    }
    Result.HasConstant = HadConstant;
    return Result;
}

// The least-squares basis over n samples: e^(-D t) cos(Wd t) and e^(-D t) sin(Wd t)
// per oscillation, then 1 for the constant.
Eigen::MatrixXd Basis(const TComponents& AParts, std::size_t n, double ADt, TProgress& AProgress) {
    const auto Count = static_cast<Eigen::Index>(AParts.Oscillations.size());
    Eigen::MatrixXd B(static_cast<Eigen::Index>(n), 2 * Count + (AParts.HasConstant ? 1 : 0));
    ForEachItem(n, BasisWork(static_cast<double>(n), static_cast<double>(B.cols())), nullptr,
                AProgress, [&](std::size_t First, std::size_t Last) {
                    for (std::size_t k = First; k < Last; ++k) {
                        const double t = static_cast<double>(k) * ADt;
                        const auto Row = static_cast<Eigen::Index>(k);
                        for (Eigen::Index m = 0; m < Count; ++m) {
                            const TComponent& c = AParts.Oscillations[static_cast<std::size_t>(m)];
                            const double Envelope = std::exp(-c.D * t);
                            B(Row, 2 * m) = Envelope * std::cos(c.Wd * t);
                            B(Row, 2 * m + 1) = Envelope * std::sin(c.Wd * t);
                        }
                        if (AParts.HasConstant)
                            B(Row, B.cols() - 1) = 1;
                    }
                });
    return B;
}

Eigen::Index BasisColumns(int AMaxCount) {
    return 2 * AMaxCount + 1;
}

// Values near the largest double may overflow on the way back from the scaled span.
bool Finite(const TOscillation& o) {
    return std::isfinite(o.F) && std::isfinite(o.D) && std::isfinite(o.A) && std::isfinite(o.V) &&
           std::isfinite(o.Zeta) && std::isfinite(o.Share);
}

int LimitCount(int ACount) {
    return std::clamp(ACount, 1, IdentifyMaxCount);
}

} // namespace

TIdentification IdentifyOscillations(std::span<const double> AValues, double ADt,
                                     const TIdentifyOptions& AOptions,
                                     const TProgressCallback& AProgress) {
    CheckInput(AValues, ADt);
    const int MaxCount = LimitCount(AOptions.MaxCount);
    TIdentification Result;
    Result.Dt = ADt;
    Result.StartTime = AOptions.StartTime;
    Result.Samples = std::min(AValues.size(), IdentifyMaxSamples);
    const std::size_t n = Result.Samples;
    TProgress Progress(AProgress, EstimateIdentifyCost(n, MaxCount).Seconds);
    try {
        // Scaled to a largest magnitude of 1, so that no square overflows or vanishes.
        double Scale = 0;
        for (std::size_t k = 0; k < n; ++k)
            Scale = std::max(Scale, std::abs(AValues[k]));
        if (Scale == 0) {
            Progress.Finish();
            return Result;
        }
        std::vector<double> y(n);
        for (std::size_t k = 0; k < n; ++k)
            y[k] = AValues[k] / Scale;

        const TPencilPoles Pencil = PencilPoles(y, 2 * MaxCount + 1, Progress);
        const TComponents Parts = Classify(Pencil.Poles, ADt, static_cast<double>(n) * ADt);
        Result.Dropped = Parts.Dropped;
        Result.HasConstant = Parts.HasConstant;

        const Eigen::Map<const Eigen::VectorXd> Values(y.data(), static_cast<Eigen::Index>(n));
        Eigen::VectorXd Residual = Values;
        if (!Parts.Oscillations.empty() || Parts.HasConstant) {
            const Eigen::MatrixXd B = Basis(Parts, n, ADt, Progress);
            const Eigen::VectorXd Beta = B.colPivHouseholderQr().solve(Values);
            Progress.Advance(
                Seconds(FactorWork(static_cast<double>(n), static_cast<double>(B.cols()))));
            Residual -= B * Beta;
            double Total = 0;
            for (std::size_t m = 0; m < Parts.Oscillations.size(); ++m) {
                const TComponent& c = Parts.Oscillations[m];
                const auto j = static_cast<Eigen::Index>(2 * m);
                const double P = Beta(j), Q = Beta(j + 1);
                TOscillation o;
                o.D = c.D;
                o.F = std::hypot(c.Wd, c.D) / (2 * std::numbers::pi);
                o.A = P * Scale;
                o.V = (c.Wd * Q - c.D * P) * Scale;
                o.Zeta = c.D / std::hypot(c.Wd, c.D);
                o.SineWave = c.D == 0;
                o.Share = (B.middleCols(j, 2) * Beta.segment(j, 2)).squaredNorm();
                if (!Finite(o)) {
                    ++Result.Dropped;
                    continue;
                }
                Total += o.Share;
                Result.Oscillations.push_back(o);
            }
            for (TOscillation& o : Result.Oscillations)
                o.Share = Total > 0 ? o.Share / Total : 0;
            if (Parts.HasConstant)
                Result.Constant = Beta(B.cols() - 1) * Scale;
        }
        std::sort(Result.Oscillations.begin(), Result.Oscillations.end(),
                  [](const TOscillation& a, const TOscillation& b) { return a.F < b.F; });
        const double Rms = Values.norm();
        Result.RelativeResidual = Rms > 0 ? Residual.norm() / Rms : 0;
        Result.ResidualRms = Residual.norm() / std::sqrt(static_cast<double>(n)) * Scale;
        if (!std::isfinite(Result.ResidualRms) || !std::isfinite(Result.Constant))
            throw EVibronaError(QStringLiteral("Значения участка слишком велики для подбора "
                                               "колебаний"));
        Progress.Finish();
        return Result;
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory();
    }
}

TCalcCost EstimateIdentifyCost(std::size_t ASamples, int AMaxCount) {
    const std::size_t n = std::min(ASamples, IdentifyMaxSamples);
    const int MaxCount = LimitCount(AMaxCount);
    const auto Cols = static_cast<double>(BasisColumns(MaxCount));
    const double Rows = static_cast<double>(n);
    TCalcCost Cost;
    Cost.Work = PencilWork(n, 2 * MaxCount + 1) + BasisWork(Rows, Cols) + FactorWork(Rows, Cols);
    Cost.Seconds = Seconds(Cost.Work);
    // The scaled copy and the residual, the basis and its factorisation.
    Cost.Bytes =
        PencilBytes(n, 2 * MaxCount + 1) + static_cast<std::uint64_t>(8 * Rows * (2 + 2 * Cols));
    return Cost;
}
