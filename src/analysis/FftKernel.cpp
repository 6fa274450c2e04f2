// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/FftKernel.h"

#include "analysis/FftThreads.h"
#include "analysis/Workers.h"
#include "util/HugePages.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <new>
#include <numbers>
#include <vector>

void TFftwFree::operator()(void* APointer) const {
    fftw_free(APointer);
}

TComplexArray AllocComplex(std::size_t ACount) {
    auto* Data = fftw_alloc_complex(std::max<std::size_t>(ACount, 1));
    if (!Data)
        throw std::bad_alloc();
    AdviseHugePages(Data, ACount * sizeof(fftw_complex));
    return TComplexArray(reinterpret_cast<std::complex<double>*>(Data));
}

TRealArray AllocReal(std::size_t ACount) {
    double* Data = fftw_alloc_real(std::max<std::size_t>(ACount, 1));
    if (!Data)
        throw std::bad_alloc();
    AdviseHugePages(Data, ACount * sizeof(double));
    return TRealArray(Data);
}

bool IsSmooth(std::uint64_t n) {
    if (n == 0)
        return false;
    for (const std::uint64_t p : {2, 3, 5, 7})
        while (n % p == 0)
            n /= p;
    return n == 1;
}

std::uint64_t SmoothSize(std::uint64_t AMin) {
    std::uint64_t Best = 1;
    while (Best < AMin)
        Best <<= 1;
    for (std::uint64_t p7 = 1; p7 < Best; p7 *= 7)
        for (std::uint64_t p5 = p7; p5 < Best; p5 *= 5)
            for (std::uint64_t p3 = p5; p3 < Best; p3 *= 3) {
                std::uint64_t v = p3;
                while (v < AMin)
                    v <<= 1;
                Best = std::min(Best, v);
            }
    return Best;
}

namespace {

fftw_complex* AsFftw(std::complex<double>* AData) {
    return reinterpret_cast<fftw_complex*>(AData);
}

// Points per batch of short transforms: a few milliseconds of work.
constexpr std::size_t BatchPoints = std::size_t{1} << 17;

// a * b, without the library's NaN-recovery path.
inline std::complex<double> Mul(std::complex<double> a, std::complex<double> b) {
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

} // namespace

struct TComplexFft::TState {
    struct TPlanDeleter {
        void operator()(fftw_plan APlan) const { fftw_destroy_plan(APlan); }
    };
    using TPlanPtr = std::unique_ptr<std::remove_pointer_t<fftw_plan>, TPlanDeleter>;
    enum class TPass { Whole, Columns, Rows };

    std::size_t P1 = 0, P2 = 0; // the size is P1 * P2; zero for a single call
    // The twist e^(-2 pi i r / P) = Hi[r >> Shift] * Lo[r & Mask]: two short tables.
    unsigned Shift = 0;
    std::size_t Mask = 0;
    std::vector<std::complex<double>> Lo, Hi;

    struct TEntry {
        TPass Pass;
        int Sign;
        std::size_t Count;
        int Alignment;
        TPlanPtr Plan;
    };
    std::vector<TEntry> Plans;

    // A plan for this pass at AData's alignment, made on first use on the calling
    // thread. Planning with FFTW_ESTIMATE leaves the data alone.
    fftw_plan PlanFor(TPass APass, int ASign, std::size_t ACount, std::size_t ASize,
                      std::complex<double>* AData) {
        const int Alignment = fftw_alignment_of(reinterpret_cast<double*>(AData));
        if (const fftw_plan Found = Find(APass, ASign, ACount, Alignment))
            return Found;
        fftw_complex* Data = AsFftw(AData);
        fftw_plan Plan = nullptr;
        if (APass == TPass::Whole) {
            PrepareFftPlan(ASize);
            Plan = fftw_plan_dft_1d(static_cast<int>(ASize), Data, Data, ASign, FFTW_ESTIMATE);
        } else {
            // Gathered columns or rows: ACount transforms side by side, each short.
            PrepareFftPlan(1);
            const int n = static_cast<int>(APass == TPass::Columns ? P2 : P1);
            Plan = fftw_plan_many_dft(1, &n, static_cast<int>(ACount), Data, nullptr, 1, n, Data,
                                      nullptr, 1, n, ASign, FFTW_ESTIMATE);
        }
        if (!Plan)
            throw std::bad_alloc();
        Plans.push_back({APass, ASign, ACount, Alignment, TPlanPtr(Plan)});
        return Plan;
    }
    // A plan made before, for the workers: they never plan.
    fftw_plan Find(TPass APass, int ASign, std::size_t ACount, int AAlignment) const {
        for (const TEntry& e : Plans)
            if (e.Pass == APass && e.Sign == ASign && e.Count == ACount &&
                e.Alignment == AAlignment)
                return e.Plan.get();
        return nullptr;
    }
    fftw_plan Find(TPass APass, int ASign, std::size_t ACount, std::complex<double>* AData) const {
        return Find(APass, ASign, ACount, fftw_alignment_of(reinterpret_cast<double*>(AData)));
    }

    std::complex<double> Twist(std::size_t r) const { return Mul(Hi[r >> Shift], Lo[r & Mask]); }

    // Columns [AFirst, AFirst + ACount) side by side in AScratch, column j from
    // AScratch + j P2, and back. Short transforms straight down the columns would
    // stride by P1, which for powers of two keeps hitting the same cache sets.
    void Gather(const std::complex<double>* AData, std::size_t AFirst, std::size_t ACount,
                std::complex<double>* AScratch) const {
        for (std::size_t n2 = 0; n2 < P2; ++n2)
            for (std::size_t j = 0; j < ACount; ++j)
                AScratch[j * P2 + n2] = AData[AFirst + j + P1 * n2];
    }
    void Scatter(const std::complex<double>* AScratch, std::size_t AFirst, std::size_t ACount,
                 std::complex<double>* AData) const {
        for (std::size_t k2 = 0; k2 < P2; ++k2)
            for (std::size_t j = 0; j < ACount; ++j)
                AData[AFirst + j + P1 * k2] = AScratch[j * P2 + k2];
    }
    // Multiplies gathered column n1 = AFirst + j by the twist, or by its conjugate.
    void TwistColumns(std::complex<double>* AScratch, std::size_t AFirst, std::size_t ACount,
                      bool AConjugate) const {
        for (std::size_t j = 0; j < ACount; ++j) {
            std::complex<double>* Column = AScratch + j * P2;
            const std::size_t n1 = AFirst + j;
            for (std::size_t k2 = 0; k2 < P2; ++k2) {
                const std::complex<double> w = Twist(n1 * k2);
                Column[k2] = Mul(Column[k2], AConjugate ? std::conj(w) : w);
            }
        }
    }
};

TComplexFft::TComplexFft(std::size_t ASize) : FSize(ASize), FState(std::make_unique<TState>()) {
    if (IsSingleCall(ASize))
        return;
    // Two factors near the square root: the prime factors, largest first, each to the
    // smaller side.
    std::vector<std::size_t> Primes;
    std::size_t Rest = ASize;
    for (const std::size_t p : {7, 5, 3, 2})
        while (Rest % p == 0) {
            Primes.push_back(p);
            Rest /= p;
        }
    std::size_t P1 = 1, P2 = 1;
    for (const std::size_t p : Primes)
        (P1 <= P2 ? P1 : P2) *= p;
    P2 *= Rest; // 1 for the smooth sizes this is meant for
    FState->P1 = P1;
    FState->P2 = P2;

    TState& s = *FState;
    while ((std::size_t{1} << (2 * s.Shift)) < ASize)
        ++s.Shift;
    s.Mask = (std::size_t{1} << s.Shift) - 1;
    const auto Exact = [ASize](std::size_t r) {
        // The angle of r / P, reduced to the half turn either side for full precision.
        const double Signed =
            r > ASize / 2 ? -static_cast<double>(ASize - r) : static_cast<double>(r);
        return std::polar(1.0, -2 * std::numbers::pi * Signed / static_cast<double>(ASize));
    };
    s.Lo.resize(s.Mask + 1);
    for (std::size_t j = 0; j <= s.Mask; ++j)
        s.Lo[j] = Exact(j);
    s.Hi.resize((ASize >> s.Shift) + 1);
    for (std::size_t j = 0; j < s.Hi.size(); ++j)
        s.Hi[j] = Exact((j << s.Shift) % ASize);
}

TComplexFft::~TComplexFft() = default;

void TComplexFft::Forward(std::complex<double>* AData, TWorkers* AWorkers, TProgress& AProgress) {
    Run(AData, FFTW_FORWARD, AWorkers, AProgress);
}

void TComplexFft::Backward(std::complex<double>* AData, TWorkers* AWorkers, TProgress& AProgress) {
    Run(AData, FFTW_BACKWARD, AWorkers, AProgress);
}

std::size_t TComplexFft::Position(std::size_t k) const {
    const TState& s = *FState;
    if (!s.P1)
        return k;
    // Bin k2 + P2 k1 lies at k1 + P1 k2.
    return k / s.P2 + s.P1 * (k % s.P2);
}

namespace {

// Scratch buffers of one size, lent to the batches that run at the same time.
class TScratch {
public:
    explicit TScratch(std::size_t ASize) : FSize(ASize) {}
    TComplexArray Take() {
        {
            const std::lock_guard Lock(FMutex);
            if (!FFree.empty()) {
                TComplexArray Buffer = std::move(FFree.back());
                FFree.pop_back();
                return Buffer;
            }
        }
        return AllocComplex(FSize);
    }
    void Give(TComplexArray ABuffer) {
        const std::lock_guard Lock(FMutex);
        FFree.push_back(std::move(ABuffer));
    }

private:
    std::size_t FSize;
    std::mutex FMutex;
    std::vector<TComplexArray> FFree;
};

} // namespace

void TComplexFft::Run(std::complex<double>* AData, int ASign, TWorkers* AWorkers,
                      TProgress& AProgress) {
    TState& s = *FState;
    using TPass = TState::TPass;
    const double Total = Seconds(Work(FSize));
    if (!s.P1) {
        const fftw_plan Plan = s.PlanFor(TPass::Whole, ASign, 1, FSize, AData);
        const TFftThreads Threads(AWorkers);
        fftw_execute_dft(Plan, AsFftw(AData), AsFftw(AData));
        AProgress.Advance(Total);
        return;
    }
    // Forward: short transforms down the columns (stride P1), the twist, then along
    // the rows. Backward undoes these steps in reverse order. Each batch is a block.
    const std::size_t ColumnBatch = std::clamp<std::size_t>(BatchPoints / s.P2, 1, s.P1);
    const std::size_t RowBatch = std::clamp<std::size_t>(BatchPoints / s.P1, 1, s.P2);
    const std::size_t ColumnBlocks = BlockCount(s.P1, ColumnBatch);
    const std::size_t RowBlocks = BlockCount(s.P2, RowBatch);
    const auto ColumnPass = [&] {
        TScratch Scratch(ColumnBatch * s.P2);
        {
            TComplexArray Probe = Scratch.Take();
            for (std::size_t First = 0; First < s.P1; First += ColumnBatch)
                s.PlanFor(TPass::Columns, ASign, std::min(ColumnBatch, s.P1 - First), FSize,
                          Probe.get());
            Scratch.Give(std::move(Probe));
        }
        RunBlocks(
            AWorkers, ColumnBlocks,
            [&](std::size_t b) {
                const std::size_t First = b * ColumnBatch;
                const std::size_t Count = std::min(ColumnBatch, s.P1 - First);
                TComplexArray Buffer = Scratch.Take();
                std::complex<double>* At = Buffer.get();
                s.Gather(AData, First, Count, At);
                if (ASign == FFTW_BACKWARD)
                    s.TwistColumns(At, First, Count, true);
                fftw_execute_dft(s.Find(TPass::Columns, ASign, Count, At), AsFftw(At), AsFftw(At));
                if (ASign == FFTW_FORWARD)
                    s.TwistColumns(At, First, Count, false);
                s.Scatter(At, First, Count, AData);
                Scratch.Give(std::move(Buffer));
            },
            AProgress, Total / 2 / static_cast<double>(ColumnBlocks));
    };
    const auto RowPass = [&] {
        for (std::size_t First = 0; First < s.P2; First += RowBatch)
            s.PlanFor(TPass::Rows, ASign, std::min(RowBatch, s.P2 - First), FSize,
                      AData + s.P1 * First);
        RunBlocks(
            AWorkers, RowBlocks,
            [&](std::size_t b) {
                const std::size_t First = b * RowBatch;
                const std::size_t Count = std::min(RowBatch, s.P2 - First);
                std::complex<double>* At = AData + s.P1 * First;
                fftw_execute_dft(s.Find(TPass::Rows, ASign, Count, At), AsFftw(At), AsFftw(At));
            },
            AProgress, Total / 2 / static_cast<double>(RowBlocks));
    };
    if (ASign == FFTW_FORWARD) {
        ColumnPass();
        RowPass();
    } else {
        RowPass();
        ColumnPass();
    }
}

bool TComplexFft::IsSingleCall(std::uint64_t ASize) {
    const bool PowerOfTwo = (ASize & (ASize - 1)) == 0;
    return ASize <= (std::uint64_t{1} << 18) || (PowerOfTwo && ASize <= (std::uint64_t{1} << 20));
}

TWork TComplexFft::Work(std::uint64_t ASize) {
    const double n = static_cast<double>(std::max<std::uint64_t>(ASize, 2));
    TWork Work;
    Work.Butterflies = n * std::log2(n);
    Work.Transforms = 1;
    if (!IsSingleCall(ASize)) {
        // The columns are gathered, twisted and scattered back: 16-byte values read
        // and written twice over, plus a complex product each.
        Work.Bytes = 4 * 16 * n;
        Work.Rotations = n;
        Work.Transforms = 8;
    }
    return Work;
}

std::uint64_t TComplexFft::Bytes(std::uint64_t ASize) {
    if (IsSingleCall(ASize))
        return 0;
    // The twist tables and a batch of gathered columns.
    return 32 * static_cast<std::uint64_t>(std::sqrt(static_cast<double>(ASize)) + 2) +
           16 * 2 * BatchPoints;
}
