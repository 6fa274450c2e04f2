// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/WorkCost.h"

namespace {

// Seconds per unit of each kind of work on one core, measured by the benchmark
// "Throughput" of bench/ThroughputBench.cpp. When the machine or the code changes,
// run it and copy its figures here: nothing else holds a time.
constexpr double RotationSeconds = 0.1e-9;
constexpr double ExtendedRotationSeconds = 5e-9;
constexpr double FunctionSeconds = 4.8e-9;
constexpr double ButterflySeconds = 0.36e-9;
constexpr double ByteSeconds = 0.02e-9;
constexpr double FreshByteSeconds = 0.16e-9;
constexpr double TransformSeconds = 16e-6;
constexpr double NumberSeconds = 12e-9;
// Measured on the identification of bench/IdentifyBench.cpp.
constexpr double FlopSeconds = 0.5e-9;
// Measured by the window's export of 2^24 curve points in bench/WindowBench.cpp.
constexpr double FileByteSeconds = 3e-9;

// Waking the helpers of a computation and handing them its first blocks: measured by
// the benchmark Medium5 on one thread and on two.
constexpr double ThreadsWorthSeconds = 1e-3;

} // namespace

TWork& TWork::operator+=(const TWork& AOther) {
    Rotations += AOther.Rotations;
    ExtendedRotations += AOther.ExtendedRotations;
    Functions += AOther.Functions;
    Butterflies += AOther.Butterflies;
    Bytes += AOther.Bytes;
    FreshBytes += AOther.FreshBytes;
    Transforms += AOther.Transforms;
    Numbers += AOther.Numbers;
    Flops += AOther.Flops;
    FileBytes += AOther.FileBytes;
    return *this;
}

TWork operator*(TWork a, double AFactor) {
    a.Rotations *= AFactor;
    a.ExtendedRotations *= AFactor;
    a.Functions *= AFactor;
    a.Butterflies *= AFactor;
    a.Bytes *= AFactor;
    a.FreshBytes *= AFactor;
    a.Transforms *= AFactor;
    a.Numbers *= AFactor;
    a.Flops *= AFactor;
    a.FileBytes *= AFactor;
    return a;
}

double Seconds(const TWork& AWork) {
    return AWork.Rotations * RotationSeconds + AWork.ExtendedRotations * ExtendedRotationSeconds +
           AWork.Functions * FunctionSeconds + AWork.Butterflies * ButterflySeconds +
           AWork.Bytes * ByteSeconds + AWork.FreshBytes * FreshByteSeconds +
           AWork.Transforms * TransformSeconds + AWork.Numbers * NumberSeconds +
           AWork.Flops * FlopSeconds + AWork.FileBytes * FileByteSeconds;
}

bool WorthThreads(const TWork& AWork) {
    return Seconds(AWork) >= ThreadsWorthSeconds;
}

TWork FreshArray(std::uint64_t ACount, std::uint64_t AItemBytes) {
    // The C library keeps freed blocks under 32 MiB for the next allocation; larger
    // ones go back to the system and come back as fresh pages.
    constexpr std::uint64_t FreshFrom = std::uint64_t{32} << 20;
    const double Bytes = static_cast<double>(ACount) * static_cast<double>(AItemBytes);
    TWork Work;
    if (ACount * AItemBytes >= FreshFrom)
        Work.FreshBytes = Bytes;
    else
        Work.Bytes = Bytes;
    return Work;
}
