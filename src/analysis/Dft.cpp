#include "analysis/Dft.h"

#include "analysis/FftKernel.h"
#include "analysis/ResultRange.h"
#include "analysis/Window.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <numbers>

namespace {

// Seconds of the elementary steps, calibrated with the benchmark. The estimates of
// the ways mirror the steps one by one, as does the progress they report.
constexpr double DirectTermSeconds = 22e-9;   // a sine, a cosine and two products
constexpr double ChirpValueSeconds = 20e-9;   // one chirp value
constexpr double WeightSeconds = 20e-9;       // one window weight
constexpr double PointSeconds = 1e-9;         // copying or clearing a value
constexpr double ProductSeconds = 3e-9;       // a complex product
constexpr double BinSeconds = 2e-9;           // the magnitude of a bin
constexpr double ScatteredBinSeconds = 12e-9; // the same from the split FFT's order
constexpr double RealFftSeconds = 0.5e-9;     // per N log2 N
constexpr double PlanSeconds = 2e-5;          // planning a transform

// Above this size the real FFT runs as split complex passes, which need a smooth N.
constexpr int RealFftLimit = 1 << 20;
// A size that FFTW may find hard (a large prime factor) still plans and runs quickly.
constexpr int AnySizeFftLimit = 1 << 16;
// The chirp convolution runs in blocks of bins with FFTs of about this many points.
constexpr std::uint64_t ChirpBlockPoints = std::uint64_t{1} << 20;
// The whole FFT may take this much more memory than the curve and the results.
constexpr std::uint64_t FftMemorySlack = std::uint64_t{64} << 20;

constexpr double Infinite = std::numeric_limits<double>::infinity();

// The curve with its window weights, read sample by sample.
struct TInput {
    std::span<const double> Curve;
    TWindowKind Window;
    std::size_t L; // min(M, N): the samples that enter the transform

    double operator[](std::size_t i) const {
        if (Window == wkNone)
            return Curve[i];
        return CalcWindow(Window, static_cast<int>(i), static_cast<int>(Curve.size())) * Curve[i];
    }
    // Reading one, as the ways read them.
    double SecondsEach() const { return Window == wkNone ? PointSeconds : WeightSeconds; }
    template <typename T> void Copy(std::size_t AFirst, std::size_t ALast, T* AOut) const {
        if (Window == wkNone)
            std::copy(Curve.begin() + AFirst, Curve.begin() + ALast, AOut + AFirst);
        else
            for (std::size_t i = AFirst; i < ALast; ++i)
                AOut[i] = (*this)[i];
    }
};

// Bins from 0 to N div 2 are all there are: the rest mirror or repeat them.
std::int64_t DistinctBins(int N, int K) {
    return std::min<std::int64_t>(K, N / 2 + 1);
}

// Result[k] for k >= AComputed from the bins below.
void FoldBins(std::vector<double>& AResult, int N, std::size_t AComputed, TProgress& AProgress) {
    const std::size_t Size = static_cast<std::size_t>(N);
    InTicks(AResult.size() - AComputed, BinSeconds, AProgress,
            [&](std::size_t First, std::size_t Last) {
                for (std::size_t k = AComputed + First; k < AComputed + Last; ++k) {
                    std::size_t Bin = k % Size;
                    if (Bin > Size / 2)
                        Bin = Size - Bin; // X(N - k) is the conjugate of X(k)
                    AResult[k] = AResult[Bin];
                }
            });
}

double Magnitude(std::complex<double> z) {
    return BinMagnitude(z.real(), z.imag());
}

template <typename T>
void Clear(T* AData, std::size_t ACount, double ASecondsEach, TProgress& AProgress) {
    InTicks(ACount, ASecondsEach, AProgress, [&](std::size_t First, std::size_t Last) {
        std::fill(AData + First, AData + Last, T(0.0));
    });
}

// ---- The direct sum ----

void DirectBins(const TInput& AInput, int N, std::vector<double>& AResult, std::size_t ABins,
                TProgress& AProgress) {
    // The weighted inputs once, rather than a window weight per term.
    std::vector<double> Weighted;
    std::span<const double> x = AInput.Curve.first(AInput.L);
    if (AInput.Window != wkNone) {
        Weighted.reserve(AInput.L);
        InTicks(AInput.L, WeightSeconds + FreshSeconds(AInput.L, sizeof(double)), AProgress,
                [&](std::size_t First, std::size_t Last) {
                    for (std::size_t i = First; i < Last; ++i)
                        Weighted.push_back(AInput[i]);
                });
        x = Weighted;
    }
    constexpr double TwoPi = 2 * std::numbers::pi;
    const std::size_t Chunk = TProgress::ItemsPerTick(DirectTermSeconds);
    for (std::size_t k = 0; k < ABins; ++k) {
        double re = 0, im = 0;
        const double kw = static_cast<double>(k) * TwoPi;
        for (std::size_t First = 0; First < x.size(); First += Chunk) {
            const std::size_t Last = std::min(x.size(), First + Chunk);
            for (std::size_t i = First; i < Last; ++i) {
                const double Theta = (kw * static_cast<double>(i)) / N;
                re = re + std::cos(Theta) * x[i];
                im = im - std::sin(Theta) * x[i];
            }
            AProgress.Advance(DirectTermSeconds * static_cast<double>(Last - First));
        }
        AResult[k] = 2 * BinMagnitude(re, im) / N;
    }
}

// ---- The whole FFT ----

bool FftServes(int N) {
    return N <= AnySizeFftLimit || IsSmooth(static_cast<std::uint64_t>(N));
}

std::uint64_t FftBytes(int N) {
    const std::uint64_t n = static_cast<std::uint64_t>(N);
    if (N <= RealFftLimit)
        return 8 * (n + 2);
    return 16 * n + TComplexFft::Bytes(n);
}

double FftSeconds(int N) {
    const double n = std::max(N, 2);
    if (N <= RealFftLimit)
        return PlanSeconds + RealFftSeconds * n * std::log2(n) *
                                 (IsSmooth(static_cast<std::uint64_t>(N)) ? 1 : 30);
    return TComplexFft::Seconds(static_cast<std::uint64_t>(N));
}

// The steps of FftBins with the inputs read at AEach.
double FftCostSeconds(std::uint64_t L, int N, std::uint64_t ABins, double AEach) {
    const double n = N, Inputs = static_cast<double>(L);
    const double Fresh = FreshSeconds(static_cast<std::uint64_t>(N), N <= RealFftLimit ? 8 : 16);
    const double Bin = N <= RealFftLimit ? BinSeconds : ScatteredBinSeconds;
    return Inputs * (AEach + Fresh) + (n - Inputs) * (PointSeconds + Fresh) + FftSeconds(N) +
           Bin * static_cast<double>(ABins);
}

void FftBins(const TInput& AInput, int N, std::vector<double>& AResult, std::size_t ABins,
             TDftWorkspace* AWorkspace, TProgress& AProgress) {
    const std::size_t Size = static_cast<std::size_t>(N);
    const auto Fill = [&](auto* AData, double AFresh) {
        InTicks(AInput.L, AInput.SecondsEach() + AFresh, AProgress,
                [&](std::size_t First, std::size_t Last) { AInput.Copy(First, Last, AData); });
        Clear(AData + AInput.L, Size - AInput.L, PointSeconds + AFresh, AProgress);
    };
    if (N <= RealFftLimit) {
        std::unique_ptr<TDftWorkspace> Own;
        if (!AWorkspace) {
            Own = std::make_unique<TDftWorkspace>();
            AWorkspace = Own.get();
        }
        double* In = AWorkspace->Prepare(N);
        Fill(In, FreshSeconds(Size, sizeof(double)));
        AWorkspace->Execute();
        AProgress.Advance(FftSeconds(N));
        const auto* Out = reinterpret_cast<const std::complex<double>*>(In);
        InTicks(ABins, BinSeconds, AProgress, [&](std::size_t First, std::size_t Last) {
            for (std::size_t k = First; k < Last; ++k)
                AResult[k] = 2 * Magnitude(Out[k]) / N;
        });
        return;
    }
    // The real input as complex numbers, through the split transform.
    TComplexFft Fft(Size);
    TComplexArray Data = AllocComplex(Size);
    Fill(Data.get(), FreshSeconds(Size, sizeof(std::complex<double>)));
    Fft.Forward(Data.get(), AProgress);
    // Bin k lies far from bin k + 1 there: a cache miss each.
    InTicks(ABins, ScatteredBinSeconds, AProgress, [&](std::size_t First, std::size_t Last) {
        for (std::size_t k = First; k < Last; ++k)
            AResult[k] = 2 * Magnitude(Data[Fft.Position(k)]) / N;
    });
}

// ---- The chirp-z transform ----
//
// With nk = (n^2 + k^2 - (k - n)^2) / 2, X(k) = c(k) sum_n x(n) c(n) d(k - n), where
// c(m) = e^(-i pi m^2 / N) and d = conj(c): a convolution of the chirped inputs with
// the chirp, and |c(k)| = 1 leaves the magnitudes to the convolution alone.

struct TChirpPlan {
    std::uint64_t P;      // the FFT size of one block
    std::uint64_t Block;  // bins per block
    std::uint64_t Blocks; // blocks
};

TChirpPlan ChirpPlan(std::uint64_t L, std::uint64_t ABins) {
    const std::uint64_t Single = SmoothSize(L + ABins - 1);
    if (Single <= std::max(ChirpBlockPoints, 4 * L))
        return {Single, ABins, 1};
    // Blocks of bins: each takes a convolution of size P for P - L + 1 bins.
    const std::uint64_t P = SmoothSize(std::max(ChirpBlockPoints, 4 * L));
    const std::uint64_t Block = P - L + 1;
    return {P, Block, (ABins + Block - 1) / Block};
}

// d(m) = e^(i pi m^2 / N) for m = AFirst, AFirst + 1, ...: m^2 is kept modulo 2N in
// integers, advanced by (m + 1)^2 - m^2 = 2m + 1, so that the angle keeps full
// precision however large m and N are.
class TChirp {
public:
    TChirp(std::int64_t AFirst, int N)
        : FN(static_cast<std::uint64_t>(N)), FTwoN(2 * FN), FScale(std::numbers::pi / N) {
        const std::uint64_t a = static_cast<std::uint64_t>(AFirst < 0 ? -AFirst : AFirst) % FTwoN;
        FSquare = a * a % FTwoN; // a < 2^32, so a * a fits
        const std::int64_t Step = (2 * AFirst + 1) % static_cast<std::int64_t>(FTwoN);
        FStep =
            static_cast<std::uint64_t>(Step < 0 ? Step + static_cast<std::int64_t>(FTwoN) : Step);
    }

    std::complex<double> Next() {
        // The angle pi r / N taken within a half turn either side.
        const double r = FSquare > FN ? static_cast<double>(FSquare) - static_cast<double>(FTwoN)
                                      : static_cast<double>(FSquare);
        const double Angle = FScale * r;
        FSquare += FStep;
        if (FSquare >= FTwoN)
            FSquare -= FTwoN;
        FStep += 2;
        if (FStep >= FTwoN)
            FStep -= FTwoN;
        return {std::cos(Angle), std::sin(Angle)};
    }

private:
    std::uint64_t FN, FTwoN;
    double FScale;
    std::uint64_t FSquare; // m^2 mod 2N
    std::uint64_t FStep;   // (2m + 1) mod 2N
};

// The steps of ChirpBins with the inputs read at AEach.
double ChirpCostSeconds(std::uint64_t L, std::uint64_t ABins, double AEach) {
    const TChirpPlan Plan = ChirpPlan(L, ABins);
    const double Fft = TComplexFft::Seconds(Plan.P);
    const double P = static_cast<double>(Plan.P), Inputs = static_cast<double>(L);
    // Every block but the last has Block bins; the first writes fresh memory.
    const double Fresh = FreshSeconds(Plan.P, sizeof(std::complex<double>));
    double Seconds = Inputs * (AEach + ChirpValueSeconds + Fresh) +
                     (P - Inputs) * (PointSeconds + Fresh) + Fft + P * Fresh;
    const double Bins = static_cast<double>(ABins), Taps = Inputs - 1;
    Seconds += (Bins + Plan.Blocks * Taps) * ChirpValueSeconds +
               (Plan.Blocks * P - Bins - Plan.Blocks * Taps) * PointSeconds +
               Plan.Blocks * (2 * Fft + P * ProductSeconds) + Bins * BinSeconds;
    return Seconds;
}

std::uint64_t ChirpBytes(std::uint64_t L, std::uint64_t ABins) {
    const TChirpPlan Plan = ChirpPlan(L, ABins);
    return 32 * Plan.P + TComplexFft::Bytes(Plan.P);
}

void ChirpBins(const TInput& AInput, int N, std::vector<double>& AResult, std::size_t ABins,
               TProgress& AProgress) {
    const std::size_t L = AInput.L;
    const TChirpPlan Plan = ChirpPlan(L, ABins);
    const std::size_t P = Plan.P;
    TComplexFft Fft(P);

    // The transform of the chirped inputs serves every block.
    TComplexArray Inputs = AllocComplex(P);
    std::complex<double>* Y = Inputs.get();
    TChirp InputChirp(0, N);
    const double Fresh = FreshSeconds(P, sizeof(std::complex<double>));
    InTicks(L, AInput.SecondsEach() + ChirpValueSeconds + Fresh, AProgress,
            [&](std::size_t First, std::size_t Last) {
                for (std::size_t n = First; n < Last; ++n)
                    Y[n] = AInput[n] * std::conj(InputChirp.Next());
            });
    Clear(Y + L, P - L, PointSeconds + Fresh, AProgress);
    Fft.Forward(Y, AProgress);

    TComplexArray Work = AllocComplex(P);
    std::complex<double>* W = Work.get();
    Clear(W, P, Fresh, AProgress); // its pages, once
    for (std::size_t First = 0; First < ABins; First += Plan.Block) {
        const std::size_t Count = std::min<std::size_t>(Plan.Block, ABins - First);
        // The chirp from d(First - L + 1) on: output L - 1 + r of the circular
        // convolution is then bin First + r, free of wrap-around.
        const std::size_t Taps = L + Count - 1;
        TChirp Chirp(static_cast<std::int64_t>(First) - static_cast<std::int64_t>(L) + 1, N);
        InTicks(Taps, ChirpValueSeconds, AProgress, [&](std::size_t a, std::size_t b) {
            for (std::size_t j = a; j < b; ++j)
                W[j] = Chirp.Next();
        });
        Clear(W + Taps, P - Taps, PointSeconds, AProgress);
        Fft.Forward(W, AProgress);
        InTicks(P, ProductSeconds, AProgress, [&](std::size_t a, std::size_t b) {
            for (std::size_t j = a; j < b; ++j)
                W[j] = {W[j].real() * Y[j].real() - W[j].imag() * Y[j].imag(),
                        W[j].real() * Y[j].imag() + W[j].imag() * Y[j].real()};
        });
        Fft.Backward(W, AProgress);
        const double Scale = 2.0 / (static_cast<double>(P) * N);
        InTicks(Count, BinSeconds, AProgress, [&](std::size_t a, std::size_t b) {
            for (std::size_t r = a; r < b; ++r)
                AResult[First + r] = Scale * Magnitude(W[L - 1 + r]);
        });
    }
}

} // namespace

struct TDftWorkspace::TState {
    int N = 0;
    TRealArray Buffer;
    fftw_plan Plan = nullptr;

    void Release() {
        if (Plan)
            fftw_destroy_plan(Plan);
        Plan = nullptr;
        Buffer.reset();
        N = 0;
    }
};

TDftWorkspace::TDftWorkspace() : FState(std::make_unique<TState>()) {}

TDftWorkspace::~TDftWorkspace() {
    FState->Release();
}

double* TDftWorkspace::Prepare(int N) {
    if (FState->N == N && FState->Plan)
        return FState->Buffer.get();
    FState->Release();
    const std::size_t Bins = static_cast<std::size_t>(N) / 2 + 1;
    FState->Buffer = AllocReal(2 * Bins);
    double* Buffer = FState->Buffer.get();
    FState->Plan = fftw_plan_dft_r2c_1d(N, Buffer, reinterpret_cast<fftw_complex*>(Buffer),
                                        FFTW_ESTIMATE | FFTW_DESTROY_INPUT);
    if (!FState->Plan) {
        FState->Release();
        throw std::bad_alloc();
    }
    FState->N = N;
    return Buffer;
}

void TDftWorkspace::Execute() {
    fftw_execute(FState->Plan);
}

TDftChoice DftCost(TDftMethod AMethod, std::int64_t AInputs, int N, int K, bool AWeighted) {
    if (N < 1 || K < 1 || AInputs < 1)
        return {AMethod, 0, 0};
    const std::uint64_t L = static_cast<std::uint64_t>(std::min<std::int64_t>(AInputs, N));
    const std::uint64_t Bins = static_cast<std::uint64_t>(DistinctBins(N, K));
    const double Each = AWeighted ? WeightSeconds : PointSeconds;
    // The K results, and the bins above N div 2 folded from those below.
    const double Results =
        FilledSeconds(static_cast<std::size_t>(K)) * K + BinSeconds * static_cast<double>(K - Bins);
    switch (AMethod) {
    case TDftMethod::Fft:
        if (!FftServes(N))
            return {AMethod, Infinite, FftBytes(N)};
        return {AMethod, Results + FftCostSeconds(L, N, Bins, Each), FftBytes(N)};
    case TDftMethod::Direct:
        return {
            AMethod,
            Results +
                (AWeighted ? (WeightSeconds + FreshSeconds(L, 8)) * static_cast<double>(L) : 0.0) +
                DirectTermSeconds * static_cast<double>(L) * static_cast<double>(Bins),
            AWeighted ? 8 * L : 0};
    case TDftMethod::Chirp:
        return {AMethod, Results + ChirpCostSeconds(L, Bins, Each), ChirpBytes(L, Bins)};
    }
    return {AMethod, Infinite, 0};
}

TDftChoice ChooseDft(std::int64_t AInputs, int N, int K, bool AWeighted) {
    TDftChoice Best = DftCost(TDftMethod::Direct, AInputs, N, K, AWeighted);
    const std::int64_t L = std::min<std::int64_t>(std::max<std::int64_t>(AInputs, 0), N);
    const std::uint64_t Proportional =
        FftMemorySlack + 32 * static_cast<std::uint64_t>(L + std::max(K, 0));
    for (const TDftMethod Method : {TDftMethod::Fft, TDftMethod::Chirp}) {
        const TDftChoice c = DftCost(Method, AInputs, N, K, AWeighted);
        if (c.Seconds < Best.Seconds && (Method == TDftMethod::Chirp || c.Bytes <= Proportional))
            Best = c;
    }
    return Best;
}

std::vector<double> SpectrumMagnitudesBy(TDftMethod AMethod, std::span<const double> ACurve,
                                         TWindowKind AWindow, int N, int K,
                                         TDftWorkspace* AWorkspace, TProgress* AProgress) {
    TProgress Silent;
    TProgress& Progress = AProgress ? *AProgress : Silent;
    std::vector<double> Result =
        FilledVector(static_cast<std::size_t>(std::max(K, 0)), 0.0, Progress);
    if (N < 1)
        return Result;
    const TInput Input{ACurve, AWindow,
                       std::min<std::size_t>(ACurve.size(), static_cast<std::size_t>(N))};
    if (Input.L == 0 || K < 1)
        return Result;
    const std::size_t Bins = static_cast<std::size_t>(DistinctBins(N, K));
    switch (AMethod) {
    case TDftMethod::Fft:
        FftBins(Input, N, Result, Bins, AWorkspace, Progress);
        break;
    case TDftMethod::Direct:
        DirectBins(Input, N, Result, Bins, Progress);
        break;
    case TDftMethod::Chirp:
        ChirpBins(Input, N, Result, Bins, Progress);
        break;
    }
    FoldBins(Result, N, Bins, Progress);
    return Result;
}

std::vector<double> SpectrumMagnitudes(std::span<const double> ACurve, TWindowKind AWindow, int N,
                                       int K, TDftWorkspace* AWorkspace, TProgress* AProgress) {
    const TDftMethod Method =
        ChooseDft(static_cast<std::int64_t>(ACurve.size()), N, K, AWindow != wkNone).Method;
    return SpectrumMagnitudesBy(Method, ACurve, AWindow, N, K, AWorkspace, AProgress);
}
