// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Progress.h"
#include "analysis/WorkCost.h"

#include <complex>
#include <cstddef>
#include <cstdint>
#include <memory>

// Memory from FFTW's allocator, aligned for its vector code.
struct TFftwFree {
    void operator()(void* APointer) const;
};
using TComplexArray = std::unique_ptr<std::complex<double>[], TFftwFree>;
using TRealArray = std::unique_ptr<double[], TFftwFree>;
// Raise std::bad_alloc when the memory cannot be had.
TComplexArray AllocComplex(std::size_t ACount);
TRealArray AllocReal(std::size_t ACount);

// Whether n has no prime factor above 7: the sizes that FFTW transforms fast.
bool IsSmooth(std::uint64_t n);
// The smallest such size of at least AMin.
std::uint64_t SmoothSize(std::uint64_t AMin);

class TWorkers;

// An unnormalised complex FFT of one size, in place: forward with e^(-2 pi i nk / P),
// backward with e^(+...). Sizes that FFTW plans and runs within a few hundredths of a
// second are one FFTW call (IsSingleCall), its loops spread over the workers. Larger
// sizes, which must be smooth, run as two passes of batches of short transforms with
// a twist between them (the four-step scheme); the batches run on the workers and
// report to the progress. Their forward result lies in a transposed order that
// Backward takes back, which is all a convolution needs. Plans are made on the
// calling thread: FFTW's planner must not run on two threads at once.
class TComplexFft {
public:
    // Up to 2^18 points, or 2^20 for a power of two: FFTW takes longer to plan
    // other sizes.
    static bool IsSingleCall(std::uint64_t ASize);

    explicit TComplexFft(std::size_t ASize);
    ~TComplexFft();
    TComplexFft(const TComplexFft&) = delete;
    TComplexFft& operator=(const TComplexFft&) = delete;

    std::size_t Size() const { return FSize; }
    void Forward(std::complex<double>* AData, TWorkers* AWorkers, TProgress& AProgress);
    void Backward(std::complex<double>* AData, TWorkers* AWorkers, TProgress& AProgress);
    // Where Forward leaves bin k.
    std::size_t Position(std::size_t k) const;

    // The work of one transform of ASize points.
    static TWork Work(std::uint64_t ASize);
    // Working memory besides the data, in bytes.
    static std::uint64_t Bytes(std::uint64_t ASize);

private:
    struct TState;
    void Run(std::complex<double>* AData, int ASign, TWorkers* AWorkers, TProgress& AProgress);

    std::size_t FSize;
    std::unique_ptr<TState> FState;
};
