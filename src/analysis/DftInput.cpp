// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/DftInput.h"

#include "analysis/Workers.h"

#include <algorithm>
#include <limits>

TWork TDftInput::ReadWork(std::uint64_t ACount, bool AWeighted) {
    TWork Work;
    Work.Bytes = 16 * static_cast<double>(ACount);
    Work.Functions = AWeighted ? static_cast<double>(ACount) : 0;
    return Work;
}

TWork FoldWork(std::uint64_t K, std::uint64_t AComputed) {
    TWork Work;
    Work.Bytes = 16 * static_cast<double>(K - AComputed);
    return Work;
}

namespace {

// Clones of a function inside this file only: clang wants every declaration of a
// cloned function to carry the attribute, the header's too.
__attribute__((target_clones("avx512f", "avx2", "default"))) void
MagnitudesOfBins(const std::complex<double>* AIn, std::size_t ACount, int N, double* AOut) {
    // The plain square root in wide vectors; where a sum of squares left the normal
    // range, the whole run again through the careful formula. The flag is a whole
    // number: the vectoriser takes no bool.
    unsigned Abnormal = 0;
    WithDivisionBy(N, [&](auto ADivide) {
        for (std::size_t k = 0; k < ACount; ++k) {
            const double Squares = AIn[k].real() * AIn[k].real() + AIn[k].imag() * AIn[k].imag();
            Abnormal |= static_cast<unsigned>(!(Squares >= std::numeric_limits<double>::min())) |
                        static_cast<unsigned>(!(Squares <= std::numeric_limits<double>::max()));
            AOut[k] = ADivide(2 * std::sqrt(Squares));
        }
    });
    if (Abnormal != 0)
        for (std::size_t k = 0; k < ACount; ++k)
            AOut[k] = 2 * Magnitude(AIn[k]) / N;
}

} // namespace

void BinMagnitudes(const std::complex<double>* AIn, std::size_t ACount, int N, double* AOut) {
    MagnitudesOfBins(AIn, ACount, N, AOut);
}

std::int64_t DistinctBins(int N, int K) {
    return std::min<std::int64_t>(K, N / 2 + 1);
}

void FoldBins(TNoFillVector<double>& AResult, int N, std::size_t AComputed, TWorkers* AWorkers,
              TProgress& AProgress) {
    const std::size_t Size = static_cast<std::size_t>(N);
    ForEachItem(AResult.size() - AComputed, FoldWork(AResult.size(), AComputed), AWorkers,
                AProgress, [&](std::size_t First, std::size_t Last) {
                    double* const Result = AResult.data();
                    for (std::size_t k = AComputed + First; k < AComputed + Last; ++k) {
                        std::size_t Bin = k % Size;
                        if (Bin > Size / 2)
                            Bin = Size - Bin; // X(N - k) is the conjugate of X(k)
                        Result[k] = Result[Bin];
                    }
                });
}
