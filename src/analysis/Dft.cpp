#include "analysis/Dft.h"

#include "analysis/Window.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

// Above this size the FFT's buffer (16 bytes per bin) is not worth it.
constexpr std::int64_t MaxFftSize = std::int64_t{1} << 26;

// The first min(M, N) curve samples with their window weights.
void Weighted(std::span<const double> ACurve, TWindowKind AWindow, std::size_t L, double* AOut) {
    const int M = static_cast<int>(ACurve.size());
    if (AWindow == wkNone) {
        std::copy(ACurve.begin(), ACurve.begin() + static_cast<std::ptrdiff_t>(L), AOut);
        return;
    }
    for (std::size_t i = 0; i < L; ++i)
        AOut[i] = CalcWindow(AWindow, static_cast<int>(i), M) * ACurve[i];
}

} // namespace

struct TDftWorkspace::TState {
    int N = 0;
    double* Buffer = nullptr;
    fftw_plan Plan = nullptr;

    void Release() {
        if (Plan)
            fftw_destroy_plan(Plan);
        if (Buffer)
            fftw_free(Buffer);
        Plan = nullptr;
        Buffer = nullptr;
        N = 0;
    }
};

TDftWorkspace::TDftWorkspace() : FState(std::make_unique<TState>()) {}

TDftWorkspace::~TDftWorkspace() {
    FState->Release();
}

double* TDftWorkspace::Prepare(int N) {
    if (FState->N == N && FState->Plan)
        return FState->Buffer;
    FState->Release();
    const std::size_t Bins = static_cast<std::size_t>(N) / 2 + 1;
    FState->Buffer = fftw_alloc_real(2 * Bins);
    if (!FState->Buffer)
        return nullptr;
    FState->Plan =
        fftw_plan_dft_r2c_1d(N, FState->Buffer, reinterpret_cast<fftw_complex*>(FState->Buffer),
                             FFTW_ESTIMATE | FFTW_DESTROY_INPUT);
    if (!FState->Plan) {
        FState->Release();
        return nullptr;
    }
    FState->N = N;
    return FState->Buffer;
}

void TDftWorkspace::Execute() {
    fftw_execute(FState->Plan);
}

bool PrefersFft(int AInputs, int N, int K) {
    if (N < 1 || K < 1 || AInputs < 1 || N > MaxFftSize)
        return false;
    const std::int64_t L = std::min(AInputs, N);
    // A direct term costs a sine and a cosine, roughly 16 FFT butterflies.
    const double Direct = 16.0 * static_cast<double>(K) * static_cast<double>(L);
    const double Fft = static_cast<double>(N) * std::log2(static_cast<double>(N));
    return Fft < Direct;
}

std::vector<double> SpectrumMagnitudesDirect(std::span<const double> x, int N, int K) {
    std::vector<double> Result(static_cast<std::size_t>(std::max(K, 0)));
    if (N < 1)
        return Result;
    const std::size_t L = std::min<std::size_t>(x.size(), static_cast<std::size_t>(N));
    constexpr double TwoPi = 2 * std::numbers::pi;
    for (int k = 0; k < K; ++k) {
        double re = 0, im = 0;
        const double kw = k * TwoPi;
        for (std::size_t i = 0; i < L; ++i) {
            const double Theta = (kw * static_cast<double>(i)) / N;
            re = re + std::cos(Theta) * x[i];
            im = im - std::sin(Theta) * x[i];
        }
        Result[k] = 2 * std::sqrt(re * re + im * im) / N;
    }
    return Result;
}

std::vector<double> SpectrumMagnitudes(std::span<const double> ACurve, TWindowKind AWindow, int N,
                                       int K, TDftWorkspace* AWorkspace) {
    const std::size_t L =
        N < 1 ? 0 : std::min<std::size_t>(ACurve.size(), static_cast<std::size_t>(N));
    std::unique_ptr<TDftWorkspace> Own;
    double* In = nullptr;
    if (PrefersFft(static_cast<int>(L), N, K)) {
        if (!AWorkspace) {
            Own = std::make_unique<TDftWorkspace>();
            AWorkspace = Own.get();
        }
        In = AWorkspace->Prepare(N);
    }
    if (!In) {
        std::vector<double> x(L);
        Weighted(ACurve, AWindow, L, x.data());
        return SpectrumMagnitudesDirect(x, N, K);
    }

    const std::size_t Bins = static_cast<std::size_t>(N) / 2 + 1;
    Weighted(ACurve, AWindow, L, In);
    std::fill(In + L, In + 2 * Bins, 0.0);
    AWorkspace->Execute();

    const auto* Out = reinterpret_cast<const fftw_complex*>(In);
    std::vector<double> Result(static_cast<std::size_t>(K));
    for (int k = 0; k < K; ++k) {
        std::size_t Bin = static_cast<std::size_t>(k) % static_cast<std::size_t>(N);
        if (Bin >= Bins)
            Bin = static_cast<std::size_t>(N) - Bin; // X(N - k) is the conjugate of X(k)
        const double re = Out[Bin][0], im = Out[Bin][1];
        Result[k] = 2 * std::sqrt(re * re + im * im) / N;
    }
    return Result;
}
