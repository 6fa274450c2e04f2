#include "analysis/CurveSynthesis.h"

#include "analysis/RecordCurve.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

struct TTerm {
    double A, D, Wd, Fi;
};

std::vector<TTerm> ActiveTerms(const TSignals& ASignals) {
    std::vector<TTerm> Terms;
    for (int j = 0; j < ASignals.Count(); ++j) {
        const TSignal& s = ASignals[j];
        if (s.Active())
            Terms.push_back({s.A(), s.DF(), s.Wd(), s.Fi()});
    }
    return Terms;
}

// Seconds per sample and per term, calibrated with the benchmark.
constexpr double TimeSeconds = 1e-9;        // accumulating a time
constexpr double TermSeconds = 0.7e-9;      // a term of a sample by rotation
constexpr double DirectTermSeconds = 25e-9; // a term evaluated as written
constexpr double RecordSeconds = 2e-9;      // a record's sample, interpolated

// Grows piece by piece into reserved room, like FilledVector.
std::vector<double> AccumulatedTime(int M, double dt, TProgress& AProgress) {
    const std::size_t n = static_cast<std::size_t>(std::max(M, 0));
    std::vector<double> Time;
    Time.reserve(n);
    double t = 0;
    InTicks(n, TimeSeconds + FreshSeconds(n, sizeof(double)), AProgress,
            [&](std::size_t First, std::size_t Last) {
                Time.resize(Last);
                for (std::size_t i = First; i < Last; ++i) {
                    Time[i] = t;
                    t = t + dt;
                }
            });
    return Time;
}

// Curves up to this many term evaluations are summed term by term.
constexpr std::int64_t DirectLimit = 1 << 16;
// Samples between two exact anchors of the rotation.
constexpr std::size_t BlockSize = 4096;
// Samples that advance side by side: sample i + Lanes follows sample i by one
// common rotation wherever the time steps repeat with this period.
constexpr int Lanes = 32;

// A rotation with decay: multiplying A e^(-D t) (cos + i sin)(Wd t + Fi) by it
// advances the term by a time step.
struct TRotation {
    double Step = 0;
    double Re = 1, Im = 0;
};

TRotation RotationOver(const TTerm& ATerm, double AStep) {
    const double Decay = std::exp(-ATerm.D * AStep);
    return {AStep, Decay * std::cos(ATerm.Wd * AStep), Decay * std::sin(ATerm.Wd * AStep)};
}

// The steps t(i + 1) - t(i) take only a few distinct values (a couple per binade of
// t), so each term remembers the rotation of the step it saw last.
const TRotation& CachedRotation(const TTerm& ATerm, double AStep, TRotation& ACache) {
    if (ACache.Step != AStep)
        ACache = RotationOver(ATerm, AStep);
    return ACache;
}

// The term at ATime exactly, with the phase in extended precision: Wd * t can
// reach millions of radians.
void Anchor(const TTerm& ATerm, double ATime, double& ARe, double& AIm) {
    const long double t = ATime;
    const long double Amplitude = std::exp(-static_cast<long double>(ATerm.D) * t) * ATerm.A;
    const long double Phase = static_cast<long double>(ATerm.Wd) * t + ATerm.Fi;
    ARe = static_cast<double>(Amplitude * std::cos(Phase));
    AIm = static_cast<double>(Amplitude * std::sin(Phase));
}

void Rotate(double& ARe, double& AIm, const TRotation& r) {
    const double NextRe = ARe * r.Re - AIm * r.Im;
    AIm = ARe * r.Im + AIm * r.Re;
    ARe = NextRe;
}

// Adds Lanes interleaved rotations to ACount samples. The lanes are independent,
// so the loop vectorises; the clones let wider registers serve where they exist.
__attribute__((target_clones("avx512f", "avx2", "default"))) void
AddLanes(double* AValue, std::size_t ACount, const double* ARe, const double* AIm, double ARotRe,
         double ARotIm) {
    double Re[Lanes], Im[Lanes];
    std::copy(ARe, ARe + Lanes, Re);
    std::copy(AIm, AIm + Lanes, Im);
    std::size_t i = 0;
    for (; i + Lanes <= ACount; i += Lanes) {
        for (int j = 0; j < Lanes; ++j) {
            AValue[i + j] = AValue[i + j] + Im[j];
            const double NextRe = Re[j] * ARotRe - Im[j] * ARotIm;
            Im[j] = Re[j] * ARotIm + Im[j] * ARotRe;
            Re[j] = NextRe;
        }
    }
    for (int j = 0; i + j < ACount; ++j)
        AValue[i + j] = AValue[i + j] + Im[j];
}

// The common advance t(i + Lanes) - t(i) over a block, or 0 when it varies.
double LaneAdvance(const std::vector<double>& ATime, std::size_t Start, std::size_t End) {
    if (End - Start < 2 * Lanes)
        return 0;
    const double Advance = ATime[Start + Lanes] - ATime[Start];
    for (std::size_t i = Start + 1; i + Lanes < End; ++i)
        if (ATime[i + Lanes] - ATime[i] != Advance)
            return 0;
    return Advance;
}

struct TTermState {
    TTerm Term;
    TRotation Step;  // the rotation of the last single step
    TRotation Lanes; // the rotation of the last lane advance
};

// One term over a block whose steps repeat: exact at Start, the first lanes step
// by step, then all lanes together.
void AddTermByLanes(TTermState& AState, double AAdvance, const std::vector<double>& ATime,
                    std::size_t Start, std::size_t End, std::vector<double>& AValue) {
    double Re[Lanes], Im[Lanes];
    Anchor(AState.Term, ATime[Start], Re[0], Im[0]);
    for (int j = 1; j < Lanes; ++j) {
        Re[j] = Re[j - 1];
        Im[j] = Im[j - 1];
        const double Step = ATime[Start + j] - ATime[Start + j - 1];
        Rotate(Re[j], Im[j], CachedRotation(AState.Term, Step, AState.Step));
    }
    const TRotation& r = CachedRotation(AState.Term, AAdvance, AState.Lanes);
    AddLanes(AValue.data() + Start, End - Start, Re, Im, r.Re, r.Im);
}

// One term over any block: exact at Start, then step by step.
void AddTermStepwise(TTermState& AState, const std::vector<double>& ATime, std::size_t Start,
                     std::size_t End, std::vector<double>& AValue) {
    double Re, Im;
    Anchor(AState.Term, ATime[Start], Re, Im);
    for (std::size_t i = Start; i < End; ++i) {
        AValue[i] = AValue[i] + Im;
        if (i + 1 < End)
            Rotate(Re, Im, CachedRotation(AState.Term, ATime[i + 1] - ATime[i], AState.Step));
    }
}

} // namespace

TCurve SampleCurveDirect(const TSignals& ASignals, const TCalcSettings& ASettings) {
    TCurve Curve;
    TProgress Silent;
    Curve.Time = AccumulatedTime(ASettings.M, ASettings.dt, Silent);
    Curve.Value.resize(Curve.Time.size());
    const std::vector<TTerm> Terms = ActiveTerms(ASignals);
    for (std::size_t i = 0; i < Curve.Time.size(); ++i) {
        const double t = Curve.Time[i];
        double s = ASettings.C;
        for (const TTerm& Term : Terms)
            s = s + (std::exp(-Term.D * t) * Term.A) * std::sin(Term.Wd * t + Term.Fi);
        Curve.Value[i] = s;
    }
    return Curve;
}

int ActiveCount(const TSignals& ASignals) {
    int Count = 0;
    for (int j = 0; j < ASignals.Count(); ++j)
        Count += ASignals[j].Active() ? 1 : 0;
    return Count;
}

int ContributingCount(const TRecords& ARecords) {
    int Count = 0;
    for (int i = 0; i < ARecords.Count(); ++i)
        Count += ARecords[i].Contributes() ? 1 : 0;
    return Count;
}

double CurveSeconds(int M, int ATerms, int ARecords) {
    const std::size_t n = static_cast<std::size_t>(std::max(M, 0));
    const double Samples = static_cast<double>(n);
    const double Terms = std::max(ATerms, 0);
    const double Records = Samples * std::max(ARecords, 0) * RecordSeconds;
    const double Vectors = TimeSeconds + FreshSeconds(n, sizeof(double)) + FilledSeconds(n);
    if (Samples * Terms <= DirectLimit)
        return Samples * (Vectors + Terms * DirectTermSeconds) + Records;
    return Samples * (Vectors + Terms * TermSeconds) + Records;
}

TCurve SampleCurve(const TSignals& ASignals, const TRecords& ARecords,
                   const TCalcSettings& ASettings, TProgress* AProgress) {
    TProgress Silent;
    TProgress& Progress = AProgress ? *AProgress : Silent;
    TCurve Curve = SampleCurve(ASignals, ASettings, &Progress);
    const int Records = ContributingCount(ARecords);
    if (Records == 0)
        return Curve;
    // In pieces, so that a long curve can still be cancelled; any split adds alike.
    InTicks(Curve.Value.size(), Records * RecordSeconds, Progress,
            [&](std::size_t First, std::size_t Last) {
                AddRecordsToCurve(ARecords, ASettings.dt, First,
                                  std::span<double>(Curve.Value.data() + First, Last - First));
            });
    return Curve;
}

TCurve SampleCurve(const TSignals& ASignals, const TCalcSettings& ASettings, TProgress* AProgress) {
    const std::vector<TTerm> Terms = ActiveTerms(ASignals);
    const std::int64_t Work = static_cast<std::int64_t>(std::max(ASettings.M, 0)) *
                              static_cast<std::int64_t>(Terms.size());
    TProgress Silent;
    TProgress& Progress = AProgress ? *AProgress : Silent;
    if (Work <= DirectLimit) {
        TCurve Curve = SampleCurveDirect(ASignals, ASettings);
        Progress.Advance(CurveSeconds(ASettings.M, static_cast<int>(Terms.size())));
        return Curve;
    }

    TCurve Curve;
    Curve.Time = AccumulatedTime(ASettings.M, ASettings.dt, Progress);
    // Every sample sums like C + s0 + s1 + ..., in list order, as the direct sum does.
    Curve.Value = FilledVector(Curve.Time.size(), ASettings.C, Progress);
    std::vector<TTermState> States;
    for (const TTerm& Term : Terms)
        States.push_back({Term, {}, {}});
    // Block by block, so that one block of samples stays in cache for all terms.
    const std::size_t n = Curve.Time.size();
    for (std::size_t Start = 0; Start < n; Start += BlockSize) {
        const std::size_t End = std::min(n, Start + BlockSize);
        const double Advance = LaneAdvance(Curve.Time, Start, End);
        for (TTermState& State : States) {
            if (Advance != 0)
                AddTermByLanes(State, Advance, Curve.Time, Start, End, Curve.Value);
            else
                AddTermStepwise(State, Curve.Time, Start, End, Curve.Value);
            Progress.Advance(TermSeconds * static_cast<double>(End - Start));
        }
    }
    return Curve;
}
