// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/DftFft.h"

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
    PrepareFftPlan(static_cast<std::size_t>(N));
    FState->Plan = fftw_plan_dft_r2c_1d(N, Buffer, reinterpret_cast<fftw_complex*>(Buffer),
                                        FFTW_ESTIMATE | FFTW_DESTROY_INPUT);
    if (!FState->Plan) {
        FState->Release();
        throw std::bad_alloc();
    }
    FState->N = N;
    return Buffer;
}

void TDftWorkspace::Execute(TWorkers* AWorkers) {
    const TFftThreads Threads(AWorkers);
    fftw_execute(FState->Plan);
}

bool FftServes(int N) {
    return N <= AnySizeFftLimit || IsSmooth(static_cast<std::uint64_t>(N));
}

TDftPlanCost FftCost(std::uint64_t L, int N, std::uint64_t ABins, bool AWeighted) {
    const std::uint64_t n = static_cast<std::uint64_t>(N);
    return {FftStages(L, N, ABins, AWeighted).Total(),
            N <= RealFftLimit ? 8 * (n + 2) : 16 * n + TComplexFft::Bytes(n)};
}

void FftBins(const TDftInput& AInput, int N, std::vector<double>& AResult, std::size_t ABins,
             TDftWorkspace* AWorkspace, TWorkers* AWorkers, TProgress& AProgress) {
    const std::size_t Size = static_cast<std::size_t>(N);
    const TFftStages Stages = FftStages(AInput.L, N, ABins, AInput.Window != wkNone);
    const auto Fill = [&](auto* AData) {
        ForEachItem(AInput.L, Stages.Inputs, AWorkers, AProgress,
                    [&](std::size_t First, std::size_t Last) { AInput.Copy(First, Last, AData); });
        using T = std::remove_pointer_t<decltype(AData)>;
        ForEachItem(Size - AInput.L, Stages.Padding, AWorkers, AProgress,
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
        Fill(In);
        AWorkspace->Execute(AWorkers);
        AProgress.Advance(Seconds(Stages.Transform));
        const auto* Out = reinterpret_cast<const std::complex<double>*>(In);
        ForEachItem(ABins, Stages.Bins, AWorkers, AProgress,
                    [&, Result = AResult.data()](std::size_t First, std::size_t Last) {
                        BinMagnitudes(Out + First, Last - First, N, Result + First);
                    });
        return;
    }
    // The real input as complex numbers, through the split transform.
    TComplexFft Fft(Size);
    TComplexArray Data = AllocComplex(Size);
    Fill(Data.get());
    Fft.Forward(Data.get(), AWorkers, AProgress);
    ForEachItem(ABins, Stages.Bins, AWorkers, AProgress,
                [&, Result = AResult.data()](std::size_t First, std::size_t Last) {
                    for (std::size_t k = First; k < Last; ++k)
                        Result[k] = 2 * Magnitude(Data[Fft.Position(k)]) / N;
                });
}
