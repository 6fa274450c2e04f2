// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/CurveSynthesis.h"

#include "analysis/RecordCurve.h"
#include "analysis/Workers.h"
#include "util/HugePages.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

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

// Curves up to this many term evaluations advance every term in extended precision,
// which gives each sample to about a quarter of its last bit.
constexpr std::int64_t ShortLimit = 1 << 16;
// An x87 long double keeps 64 bits; where long double is no wider than a double (or
// is a slow software quad), short curves are summed term by term instead.
constexpr bool HaveExtended = std::numeric_limits<long double>::digits == 64;
// Samples between two exact starts of an extended-precision term: each step may add
// an error of about 2^-64 of the amplitude.
constexpr std::size_t ExtendedRun = 256;
// Samples between two exact anchors: a block of values stays in the first-level cache
// while every signal is added to it.
constexpr std::size_t BlockSize = 4096;
// Samples that advance side by side: sample i + Lanes follows sample i by one
// common rotation wherever the time steps repeat with this period.
constexpr int Lanes = 32;
// Sample-terms per piece of work handed to a worker.
constexpr std::size_t PieceTerms = std::size_t{1} << 18;

// ---- The accumulated time ----

// T[1 .. n) from T[0], each the previous plus dt rounded to double. Within a binade
// of t the sums step by one constant, so the candidates T[0] + j s are checked all at
// once, which needs no chain of additions; a block where they fail is summed one by one.
__attribute__((target_clones("avx512f", "avx2", "default"))) void
AccumulateBlock(double* T, std::size_t n, double dt) {
    const double Step = (T[0] + dt) - T[0];
    for (std::size_t j = 1; j < n; ++j)
        T[j] = T[0] + static_cast<double>(j) * Step;
    std::size_t Wrong = 0;
    for (std::size_t j = 1; j < n; ++j)
        Wrong += T[j] != T[j - 1] + dt ? 1 : 0;
    if (Wrong != 0)
        for (std::size_t j = 1; j < n; ++j)
            T[j] = T[j - 1] + dt;
}

// The work of the time and the values: two arrays written once, the time read again.
TWork ArraysWork(std::size_t n) {
    TWork Work = FreshArray(n, sizeof(double)) * 2;
    Work.Bytes += 3 * sizeof(double) * static_cast<double>(n);
    return Work;
}

// Whether a and b lie in one binade, of one sign: there the doubles are evenly spaced.
bool OneBinade(double a, double b) {
    return a != 0 && std::signbit(a) == std::signbit(b) && std::ilogb(a) == std::ilogb(b);
}

// The time, and room for the values that the caller writes whole. Each T[i] is
// T[i - 1] + dt, a chain that the blocks can still share: a block within one binade
// steps by one constant, so its end follows from its start at once, and only the few
// blocks that cross a binade are summed one by one before the others run side by side.
TCurve AccumulatedTime(std::size_t n, double dt, TWorkers* AWorkers, TProgress& AProgress) {
    TCurve Curve;
    ResizeHuge(Curve.Time, n);
    ResizeHuge(Curve.Value, n);
    double* const T = Curve.Time.data();
    const std::size_t Blocks = BlockCount(n, BlockSize);
    const auto Bounds = [n](std::size_t b) {
        return std::pair{b * BlockSize, std::min(n, (b + 1) * BlockSize)};
    };
    std::vector<double> Start(Blocks);
    std::vector<char> Summed(Blocks, 0);
    double Next = 0;
    for (std::size_t b = 0; b < Blocks; ++b) {
        const auto [First, End] = Bounds(b);
        Start[b] = Next;
        const double Step = (Next + dt) - Next;
        // Exact when the block stays within the binade of its start.
        const double Last = Next + static_cast<double>(End - First - 1) * Step;
        if (OneBinade(Next, Last)) {
            Next = Last + dt;
            continue;
        }
        T[First] = Next;
        AccumulateBlock(T + First, End - First, dt);
        Next = T[End - 1] + dt;
        Summed[b] = 1;
    }
    RunBlocks(
        AWorkers, Blocks,
        [&](std::size_t b) {
            if (Summed[b])
                return;
            const auto [First, End] = Bounds(b);
            T[First] = Start[b];
            AccumulateBlock(T + First, End - First, dt);
        },
        AProgress, Seconds(ArraysWork(n)) / static_cast<double>(std::max<std::size_t>(Blocks, 1)));
    // Rounded to nearest, a block that starts within a binade keeps one step, so each
    // ends as foreseen. Should one end elsewhere after all, the blocks from there on
    // follow one another: a comparison a block keeps the time exact whatever happens.
    for (std::size_t b = 1; b < Blocks; ++b) {
        const std::size_t First = Bounds(b).first;
        if (T[First - 1] + dt == T[First])
            continue;
        for (std::size_t c = b; c < Blocks; ++c) {
            const auto [From, To] = Bounds(c);
            T[From] = T[From - 1] + dt;
            AccumulateBlock(T + From, To - From, dt);
        }
        break;
    }
    return Curve;
}

// ---- The terms by rotation ----

// Multiplying A e^(-D t) (cos + i sin)(Wd t + Fi) by a rotation advances the term.
struct TRotation {
    double Re = 1, Im = 0;
};

TRotation RotationOver(const TTerm& ATerm, double AStep) {
    const double Decay = std::exp(-ATerm.D * AStep);
    return {Decay * std::cos(ATerm.Wd * AStep), Decay * std::sin(ATerm.Wd * AStep)};
}

TRotation Times(const TRotation& a, const TRotation& b) {
    return {a.Re * b.Re - a.Im * b.Im, a.Re * b.Im + a.Im * b.Re};
}

// 2 pi in three parts of 32, 32 and 64 bits: Turns times either of the first two is
// exact for fewer than 2^31 turns.
constexpr long double TwoPi1 = 0x6487ed51p-28L;
constexpr long double TwoPi2 = 0x85a308d3p-63L;
constexpr long double TwoPi3 = 0x98cc51701b839a25p-130L;

// The phase of a term at ATime in extended precision, reduced to within a half turn:
// Wd * t can reach millions of radians.
long double ReducedPhase(const TTerm& ATerm, double ATime) {
    const long double Phase = static_cast<long double>(ATerm.Wd) * ATime + ATerm.Fi;
    const double Quotient = static_cast<double>(Phase / (TwoPi1 + TwoPi2));
    // Any whole number of turns near the quotient will do; the conversion to an
    // integer is the quick way to one.
    const long double Turns = std::fabs(Quotient) < 0x1p62
                                  ? static_cast<long double>(static_cast<std::int64_t>(
                                        Quotient + (Quotient < 0 ? -0.5 : 0.5)))
                                  : std::nearbyint(static_cast<long double>(Quotient));
    return ((Phase - Turns * TwoPi1) - Turns * TwoPi2) - Turns * TwoPi3;
}

// The term at ATime.
TRotation Anchor(const TTerm& ATerm, double ATime) {
    const double Angle = static_cast<double>(ReducedPhase(ATerm, ATime));
    const double Amplitude =
        std::exp(static_cast<double>(-static_cast<long double>(ATerm.D) * ATime)) * ATerm.A;
    return {Amplitude * std::cos(Angle), Amplitude * std::sin(Angle)};
}

// An anchor and the first lanes cost about as much as this many function evaluations.
constexpr double AnchorFunctions = 5;

// The rotations of a term over 1, 2, 4, 8, 16 and 32 (Lanes) time steps.
struct TPowers {
    TRotation Of[6];
};

TPowers PowersOver(const TTerm& ATerm, double AStep) {
    TPowers Powers;
    Powers.Of[0] = RotationOver(ATerm, AStep);
    for (int p = 1; p < 6; ++p)
        Powers.Of[p] = Times(Powers.Of[p - 1], Powers.Of[p - 1]);
    return Powers;
}

// The powers of every term for the time steps that start the blocks, a few dozen at
// most (one per binade of the time), worked out once: the pieces of blocks start their
// terms afresh and would otherwise work them out again for each piece.
struct TStepTable {
    std::vector<double> Steps;
    std::vector<TPowers> Powers; // term j, step s at j * Steps.size() + s

    TStepTable(const std::vector<TTerm>& ATerms, const double* T, std::size_t n, TWorkers* AWorkers,
               TProgress& AProgress) {
        for (std::size_t First = 0; First + 1 < n; First += BlockSize) {
            const double Step = T[First + 1] - T[First];
            if (std::find(Steps.begin(), Steps.end(), Step) == Steps.end())
                Steps.push_back(Step);
        }
        Powers.resize(ATerms.size() * Steps.size());
        constexpr std::size_t TermsPerBlock = 64;
        RunBlocks(
            AWorkers, BlockCount(ATerms.size(), TermsPerBlock),
            [&](std::size_t b) {
                const std::size_t Last = std::min(ATerms.size(), (b + 1) * TermsPerBlock);
                for (std::size_t j = b * TermsPerBlock; j < Last; ++j)
                    for (std::size_t s = 0; s < Steps.size(); ++s)
                        Powers[j * Steps.size() + s] = PowersOver(ATerms[j], Steps[s]);
            },
            AProgress, 0);
    }
};

// What one term keeps from block to block of a piece: the powers for the time step it
// saw last.
struct TTermState {
    TTerm Term;
    const TStepTable* Table;
    std::size_t Index; // of the term in the table
    double Step = 0;
    TPowers Powers;

    void SetStep(double AStep) {
        if (Step == AStep)
            return;
        Step = AStep;
        const auto Found = std::find(Table->Steps.begin(), Table->Steps.end(), AStep);
        Powers = Found != Table->Steps.end()
                     ? Table->Powers[Index * Table->Steps.size() +
                                     static_cast<std::size_t>(Found - Table->Steps.begin())]
                     : PowersOver(Term, AStep);
    }
};

// Adds Lanes interleaved rotations to ACount samples, or with AFirst sets each sample
// to AConstant plus the rotation, which saves filling the samples first. The lanes are
// independent, so the loop vectorises; the clones let wider registers serve where they
// exist.
__attribute__((target_clones("avx512f", "avx2", "default"))) void
AddLanes(double* AValue, std::size_t ACount, const double* ARe, const double* AIm, double ARotRe,
         double ARotIm, bool AFirst, double AConstant) {
    double Re[Lanes], Im[Lanes];
    std::copy(ARe, ARe + Lanes, Re);
    std::copy(AIm, AIm + Lanes, Im);
    std::size_t i = 0;
    for (; i + Lanes <= ACount; i += Lanes) {
        for (int j = 0; j < Lanes; ++j) {
            AValue[i + j] = (AFirst ? AConstant : AValue[i + j]) + Im[j];
            const double NextRe = Re[j] * ARotRe - Im[j] * ARotIm;
            Im[j] = Re[j] * ARotIm + Im[j] * ARotRe;
            Re[j] = NextRe;
        }
    }
    for (int j = 0; i + j < ACount; ++j)
        AValue[i + j] = (AFirst ? AConstant : AValue[i + j]) + Im[j];
}

// One term over a run of samples that step by one constant: exact at its start, the
// first lanes by the powers of the step's rotation, then all lanes together.
void AddTermByLanes(TTermState& AState, const double* T, std::size_t n, double* AValue, bool AFirst,
                    double AConstant) {
    const TRotation Start = Anchor(AState.Term, T[0]);
    AState.SetStep(T[1] - T[0]);
    // Lanes [Width, 2 Width) from lanes [0, Width) by the power over Width steps.
    // Every lane is written below; zeroing them first would cost a string store each.
    double Re[Lanes], Im[Lanes];
    Re[0] = Start.Re;
    Im[0] = Start.Im;
    for (int p = 0, Width = 1; p < 5; ++p, Width *= 2) {
        const TRotation& r = AState.Powers.Of[p];
        for (int j = 0; j < Width; ++j) {
            Re[Width + j] = Re[j] * r.Re - Im[j] * r.Im;
            Im[Width + j] = Re[j] * r.Im + Im[j] * r.Re;
        }
    }
    AddLanes(AValue, n, Re, Im, AState.Powers.Of[5].Re, AState.Powers.Of[5].Im, AFirst, AConstant);
}

// One term over a short run: exact at its start, then step by step.
void AddTermStepwise(const TTerm& ATerm, const double* T, std::size_t n, double* AValue) {
    TRotation Now = Anchor(ATerm, T[0]);
    const TRotation Step = n > 1 ? RotationOver(ATerm, T[1] - T[0]) : TRotation{};
    for (std::size_t i = 0; i < n; ++i) {
        AValue[i] = AValue[i] + Now.Im;
        Now = Times(Now, Step);
    }
}

// The end of the run of samples from AFirst on that step by one constant. Whole
// pieces of steps are compared at once, which vectorises; the piece where the step
// changes is searched one by one.
__attribute__((target_clones("avx512f", "avx2", "default"))) std::size_t
RunEnd(const double* T, std::size_t AFirst, std::size_t n) {
    if (n - AFirst < 2)
        return n;
    constexpr std::size_t Piece = 64;
    const double Step = T[AFirst + 1] - T[AFirst];
    std::size_t i = AFirst + 1;
    for (; i + Piece < n; i += Piece) {
        unsigned Changed = 0;
        for (std::size_t j = i; j < i + Piece; ++j)
            Changed |= T[j + 1] - T[j] != Step ? 1U : 0U;
        if (Changed != 0)
            break;
    }
    while (i + 1 < n && T[i + 1] - T[i] == Step)
        ++i;
    return i + 1;
}

// Every sample sums like C + s0 + s1 + ..., in list order, as the direct sum does.
// Within a binade of t the time steps by one constant; each run of such steps starts
// every term afresh.
void SampleBlock(std::vector<TTermState>& AStates, double C, const double* T, std::size_t n,
                 double* AValue) {
    for (std::size_t First = 0; First < n;) {
        const std::size_t End = RunEnd(T, First, n);
        const std::size_t Count = End - First;
        if (Count >= 2 * Lanes && !AStates.empty()) {
            // The first term sets C plus itself, the others add.
            bool Set = true;
            for (TTermState& State : AStates) {
                AddTermByLanes(State, T + First, Count, AValue + First, Set, C);
                Set = false;
            }
        } else {
            std::fill(AValue + First, AValue + End, C);
            for (TTermState& State : AStates)
                AddTermStepwise(State.Term, T + First, Count, AValue + First);
        }
        First = End;
    }
}

// ---- Short curves: every term in extended precision ----

struct TExtended {
    long double Re = 1, Im = 0;
};

TExtended Times(const TExtended& a, const TExtended& b) {
    return {a.Re * b.Re - a.Im * b.Im, a.Re * b.Im + a.Im * b.Re};
}

// AScale (cos, sin)(AAngle) for an angle within a half turn. The C library reduces
// a long double angle beyond pi / 4 the slow general way, so the quarter turns are
// taken off here, by the parts of 2 pi divided by four, exactly. An angle that the
// half-turn reduction could not bring near (a time beyond 2^64 turns, or not a
// number) is left to the library.
TExtended ExtendedRotation(long double AAngle, long double AScale) {
    const long double Quarters = AAngle / ((TwoPi1 + TwoPi2) / 4);
    if (!(std::fabs(Quarters) <= 4))
        return {AScale * std::cos(AAngle), AScale * std::sin(AAngle)};
    // Any quarter count near the quotient does: rounded half away from zero, which
    // needs no call to the library.
    const int Quarter = static_cast<int>(Quarters + (Quarters < 0 ? -0.5L : 0.5L));
    const long double r =
        ((AAngle - Quarter * (TwoPi1 / 4)) - Quarter * (TwoPi2 / 4)) - Quarter * (TwoPi3 / 4);
    long double Sin, Cos;
    sincosl(r, &Sin, &Cos);
    const long double c = AScale * Cos, s = AScale * Sin;
    switch (Quarter & 3) {
    case 0:
        return {c, s};
    case 1:
        return {-s, c};
    case 2:
        return {-c, -s};
    default:
        return {s, -c};
    }
}

TExtended ExtendedAnchor(const TTerm& ATerm, double ATime) {
    return ExtendedRotation(ReducedPhase(ATerm, ATime),
                            std::exp(-static_cast<long double>(ATerm.D) * ATime) * ATerm.A);
}

TExtended ExtendedRotationOver(const TTerm& ATerm, double AStep) {
    return ExtendedRotation(ReducedPhase({1, ATerm.D, ATerm.Wd, 0}, AStep),
                            std::exp(-static_cast<long double>(ATerm.D) * AStep));
}

// One term over a run of samples that step by one constant. One step after another:
// long doubles live in eight registers, which parallel lanes would overflow.
struct TExtendedTerm {
    TTerm Term;
    double Step = 0;
    TExtended Rotation;

    void Add(const double* T, std::size_t n, double* AValue) {
        if (n > 1 && T[1] - T[0] != Step) {
            Step = T[1] - T[0];
            Rotation = ExtendedRotationOver(Term, Step);
        }
        for (std::size_t First = 0; First < n; First += ExtendedRun) {
            const std::size_t Last = std::min(n, First + ExtendedRun);
            TExtended Now = ExtendedAnchor(Term, T[First]);
            for (std::size_t i = First; i < Last; ++i) {
                AValue[i] = AValue[i] + static_cast<double>(Now.Im);
                Now = Times(Now, Rotation);
            }
        }
    }
};

// Every sample sums like C + s0 + s1 + ..., in list order, as the direct sum does.
TCurve SampleShortCurve(const std::vector<TTerm>& ATerms, const TCalcSettings& ASettings) {
    TProgress Silent;
    const std::size_t n = static_cast<std::size_t>(std::max(ASettings.M, 0));
    TCurve Curve = AccumulatedTime(n, ASettings.dt, nullptr, Silent);
    std::vector<TExtendedTerm> States;
    States.reserve(ATerms.size());
    for (const TTerm& Term : ATerms)
        States.push_back({Term, 0, {}});
    double* const Value = Curve.Value.data();
    const double* const Time = Curve.Time.data();
    std::fill(Value, Value + n, ASettings.C);
    for (std::size_t First = 0; First < n;) {
        const std::size_t End = RunEnd(Time, First, n);
        for (TExtendedTerm& State : States)
            State.Add(Time + First, End - First, Value + First);
        First = End;
    }
    return Curve;
}

} // namespace

TCurve SampleCurveDirect(const TSignals& ASignals, const TCalcSettings& ASettings) {
    TProgress Silent;
    TCurve Curve = AccumulatedTime(static_cast<std::size_t>(std::max(ASettings.M, 0)), ASettings.dt,
                                   nullptr, Silent);
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

// A record's sample: two samples read, the value read and written again.
TWork RecordWork(std::size_t n, int ARecords) {
    TWork Work;
    Work.Bytes = 4 * sizeof(double) * static_cast<double>(n) * std::max(ARecords, 0);
    return Work;
}

TWork CurveWork(int M, int ATerms, int ARecords) {
    const std::size_t n = static_cast<std::size_t>(std::max(M, 0));
    const double Samples = static_cast<double>(n);
    const double Terms = std::max(ATerms, 0);
    TWork Work = ArraysWork(n) + RecordWork(n, ARecords);
    if (Samples * Terms <= ShortLimit) {
        if (!HaveExtended) {
            Work.Functions += 2 * Samples * Terms;
            return Work;
        }
        const double Runs = static_cast<double>(BlockCount(n, ExtendedRun)) + 1;
        Work.ExtendedRotations = Samples * Terms;
        Work.Functions = 2 * AnchorFunctions * Runs * Terms;
        return Work;
    }
    Work.Rotations = Samples * Terms;
    Work.Functions = AnchorFunctions * static_cast<double>(BlockCount(n, BlockSize)) * Terms;
    return Work;
}

int ContributingCount(const TRecords& ARecords) {
    int Count = 0;
    for (int i = 0; i < ARecords.Count(); ++i)
        Count += ARecords[i].Contributes() ? 1 : 0;
    return Count;
}

TCurve SampleCurve(const TSignals& ASignals, const TCalcSettings& ASettings, TWorkers* AWorkers,
                   TProgress* AProgress) {
    const std::vector<TTerm> Terms = ActiveTerms(ASignals);
    const std::size_t n = static_cast<std::size_t>(std::max(ASettings.M, 0));
    TProgress Silent;
    TProgress& Progress = AProgress ? *AProgress : Silent;
    const TWork Work = CurveWork(ASettings.M, static_cast<int>(Terms.size()));
    if (static_cast<double>(n) * static_cast<double>(Terms.size()) <= ShortLimit) {
        TCurve Curve = HaveExtended ? SampleShortCurve(Terms, ASettings)
                                    : SampleCurveDirect(ASignals, ASettings);
        Progress.Advance(Seconds(Work));
        return Curve;
    }

    TCurve Curve = AccumulatedTime(n, ASettings.dt, AWorkers, Progress);
    const std::size_t Blocks = BlockCount(n, BlockSize);
    const std::size_t PerPiece =
        std::max<std::size_t>(1, PieceTerms / (BlockSize * std::max<std::size_t>(1, Terms.size())));
    const TStepTable Table(Terms, Curve.Time.data(), n, AWorkers, Progress);
    TWork PieceWork;
    PieceWork.Rotations = static_cast<double>(PerPiece * BlockSize * Terms.size());
    PieceWork.Functions = AnchorFunctions * static_cast<double>(PerPiece * Terms.size());
    RunBlocks(
        AWorkers, BlockCount(Blocks, PerPiece),
        [&](std::size_t Piece) {
            std::vector<TTermState> States;
            States.reserve(Terms.size());
            for (std::size_t j = 0; j < Terms.size(); ++j)
                States.push_back(TTermState{Terms[j], &Table, j, 0, {}});
            const std::size_t Last = std::min(Blocks, (Piece + 1) * PerPiece);
            for (std::size_t b = Piece * PerPiece; b < Last; ++b) {
                const std::size_t Start = b * BlockSize, End = std::min(n, Start + BlockSize);
                SampleBlock(States, ASettings.C, Curve.Time.data() + Start, End - Start,
                            Curve.Value.data() + Start);
            }
        },
        Progress, Seconds(PieceWork));
    return Curve;
}

TCurve SampleCurve(const TSignals& ASignals, const TRecords& ARecords,
                   const TCalcSettings& ASettings, TWorkers* AWorkers, TProgress* AProgress) {
    TProgress Silent;
    TProgress& Progress = AProgress ? *AProgress : Silent;
    TCurve Curve = SampleCurve(ASignals, ASettings, AWorkers, &Progress);
    const int Records = ContributingCount(ARecords);
    if (Records == 0)
        return Curve;
    // Any split into blocks adds alike, so the blocks may run on any worker.
    const std::size_t n = Curve.Value.size();
    const std::size_t Blocks = BlockCount(n, BlockSize);
    RunBlocks(
        AWorkers, Blocks,
        [&](std::size_t b) {
            const std::size_t Start = b * BlockSize, End = std::min(n, Start + BlockSize);
            AddRecordsToCurve(ARecords, ASettings.dt, Start,
                              std::span<double>(Curve.Value.data() + Start, End - Start));
        },
        Progress, Seconds(RecordWork(BlockSize, Records)));
    return Curve;
}
