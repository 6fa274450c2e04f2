// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/DftFft.h"

#include "analysis/ChirpCache.h"
#include "analysis/Dft.h"
#include "analysis/FftKernel.h"
#include "analysis/FftThreads.h"

#include <fftw3.h>

#include <algorithm>
#include <new>

namespace {

// Above this size the real FFT runs as split complex passes, which need a smooth N.
constexpr int RealFftLimit = 1 << 20;
// A size that FFTW may find hard (a large prime factor) still plans and runs quickly.
constexpr int AnySizeFftLimit = 1 << 16;
// From this size on, FFTW's estimated plan for a transform in place runs up to twice as
// fast as one that keeps its input (2^17 to 2^20); below it, a little slower.
constexpr int InPlaceFrom = 1 << 16;

TWork RealFftWork(int N) {
    const double n = std::max(N, 2);
    TWork Work;
    // A size with a large prime factor runs far slower than a smooth one. Its plan is
    // kept by the workspace from one recalculation to the next.
    Work.Butterflies = n / 2 * std::log2(n) * (IsSmooth(static_cast<std::uint64_t>(N)) ? 1 : 30);
    return Work;
}

// The steps of FftBins, one by one.
struct TFftStages {
    TWork Inputs, Padding, Transform, Bins;
    TWork Total() const { return Inputs + Padding + Transform + Bins; }
};

TFftStages FftStages(std::uint64_t L, int N, std::uint64_t ABins, bool AWeighted) {
    const std::uint64_t n = static_cast<std::uint64_t>(N);
    const bool Real = N <= RealFftLimit;
    // The buffer of N points, written once: its fresh pages shared by inputs and padding.
    const TWork Fresh = FreshArray(n, Real ? 8 : 16);
    const double InputShare = static_cast<double>(L) / static_cast<double>(n);
    TFftStages Stages;
    Stages.Inputs = TDftInput::ReadWork(L, AWeighted) + Fresh * InputShare;
    Stages.Padding.Bytes = 8 * static_cast<double>(n - L);
    Stages.Padding += Fresh * (1 - InputShare);
    Stages.Transform = Real ? RealFftWork(N) : TComplexFft::Work(n);
    // A bin of the split transform lies far from the next: a cache miss each.
    Stages.Bins.Bytes = (Real ? 24 : 128) * static_cast<double>(ABins);
    return Stages;
}

} // namespace

struct TDftWorkspace::TState {
    int N = 0;
    // Large transforms run in place, in Output; smaller ones read Input and keep it.
    bool InPlace = false;
    TRealArray Input, Output;
    fftw_plan Plan = nullptr;
    // Only the first Written values of the input may differ from zero, so a next input
    // as long needs no padding written again. A transform in place leaves none zero.
    std::size_t Written = 0;
    TChirpCache Chirp;

    double* In() const { return InPlace ? Output.get() : Input.get(); }
    void Release() {
        if (Plan)
            fftw_destroy_plan(Plan);
        Plan = nullptr;
        Input.reset();
        Output.reset();
        N = 0;
        Written = 0;
    }
};

TDftWorkspace::TDftWorkspace() : FState(std::make_unique<TState>()) {}

TDftWorkspace::~TDftWorkspace() {
    FState->Release();
}

double* TDftWorkspace::Prepare(int N) {
    if (FState->N == N && FState->Plan)
        return FState->In();
    FState->Release();
    const std::size_t Size = static_cast<std::size_t>(N);
    FState->InPlace = N >= InPlaceFrom;
    FState->Output = AllocReal(2 * (Size / 2 + 1));
    if (!FState->InPlace)
        FState->Input = AllocReal(Size);
    PrepareFftPlan(Size);
    FState->Plan =
        fftw_plan_dft_r2c_1d(N, FState->In(), reinterpret_cast<fftw_complex*>(FState->Output.get()),
                             FFTW_ESTIMATE | (FState->InPlace ? 0 : FFTW_PRESERVE_INPUT));
    if (!FState->Plan) {
        FState->Release();
        throw std::bad_alloc();
    }
    FState->N = N;
    FState->Written = Size;
    return FState->In();
}

TChirpCache& TDftWorkspace::ChirpCache() {
    return FState->Chirp;
}

std::size_t TDftWorkspace::Written() const {
    return FState->Written;
}

void TDftWorkspace::SetWritten(std::size_t ACount) {
    FState->Written = ACount;
}

const std::complex<double>* TDftWorkspace::Execute(TWorkers* AWorkers) {
    const TFftThreads Threads(AWorkers);
    fftw_execute(FState->Plan);
    if (FState->InPlace)
        FState->Written = static_cast<std::size_t>(FState->N);
    return reinterpret_cast<const std::complex<double>*>(FState->Output.get());
}

bool FftServes(int N) {
    return N <= AnySizeFftLimit || IsSmooth(static_cast<std::uint64_t>(N));
}

TDftPlanCost FftCost(std::uint64_t L, int N, std::uint64_t ABins, bool AWeighted) {
    const std::uint64_t n = static_cast<std::uint64_t>(N);
    return {FftStages(L, N, ABins, AWeighted).Total(),
            N <= RealFftLimit ? 16 * (n + 1) : 16 * n + TComplexFft::Bytes(n)};
}

void FftBins(const TDftInput& AInput, int N, TNoFillVector<double>& AResult, std::size_t ABins,
             TDftWorkspace* AWorkspace, TWorkers* AWorkers, TProgress& AProgress) {
    const std::size_t Size = static_cast<std::size_t>(N);
    const TFftStages Stages = FftStages(AInput.L, N, ABins, AInput.Window != wkNone);
    // The inputs, then zeros up to APadTo: beyond it the buffer holds zeros already.
    const auto Fill = [&](auto* AData, std::size_t APadTo) {
        ForEachItem(AInput.L, Stages.Inputs, AWorkers, AProgress,
                    [&](std::size_t First, std::size_t Last) { AInput.Copy(First, Last, AData); });
        using T = std::remove_pointer_t<decltype(AData)>;
        ForEachItem(std::max(APadTo, AInput.L) - AInput.L, Stages.Padding, AWorkers, AProgress,
                    [&](std::size_t First, std::size_t Last) {
                        std::fill(AData + AInput.L + First, AData + AInput.L + Last, T(0.0));
                    });
    };
    if (N <= RealFftLimit) {
        std::unique_ptr<TDftWorkspace> Own;
        if (!AWorkspace) {
            Own = std::make_unique<TDftWorkspace>();
            AWorkspace = Own.get();
        }
        double* In = AWorkspace->Prepare(N);
        const std::size_t Stale = AWorkspace->Written();
        // A cancel on the way leaves up to the longer of the two written.
        AWorkspace->SetWritten(std::max(Stale, AInput.L));
        Fill(In, Stale);
        AWorkspace->SetWritten(AInput.L);
        const std::complex<double>* Out = AWorkspace->Execute(AWorkers);
        AProgress.Advance(Seconds(Stages.Transform));
        ForEachItem(ABins, Stages.Bins, AWorkers, AProgress,
                    [&, Result = AResult.data()](std::size_t First, std::size_t Last) {
                        BinMagnitudes(Out + First, Last - First, N, Result + First);
                    });
        return;
    }
    // The real input as complex numbers, through the split transform.
    TComplexFft Fft(Size);
    TComplexArray Data = AllocComplex(Size);
    Fill(Data.get(), Size);
    Fft.Forward(Data.get(), AWorkers, AProgress);
    ForEachItem(ABins, Stages.Bins, AWorkers, AProgress,
                [&, Result = AResult.data()](std::size_t First, std::size_t Last) {
                    for (std::size_t k = First; k < Last; ++k)
                        Result[k] = 2 * Magnitude(Data[Fft.Position(k)]) / N;
                });
}
