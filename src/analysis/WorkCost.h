// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// Work counted in units that do not depend on the machine. The estimates of every
// stage add these up; only Seconds turns them into time.
struct TWork {
    double Rotations = 0;         // an oscillator term advanced by one complex rotation
    double ExtendedRotations = 0; // the same in extended precision, one at a time
    double Functions = 0;         // a sine, cosine or exponential in double precision
    double Butterflies = 0;       // N log2 N for an FFT of N complex points (half for N reals)
    double Bytes = 0;             // bytes read or written in a pass over memory in use
    double FreshBytes = 0;        // bytes written to newly allocated memory for the first time
    double Transforms = 0;        // FFT plans made: the fixed cost of a transform
    double Numbers = 0;           // a number formatted as text
    double Flops = 0;             // a multiply-add of dense linear algebra
    double FileBytes = 0;         // bytes written to a file and synced to disk

    TWork& operator+=(const TWork& AOther);
    friend TWork operator+(TWork a, const TWork& b) { return a += b; }
    friend TWork operator*(TWork a, double AFactor);
    friend TWork operator*(double AFactor, const TWork& a) { return a * AFactor; }
};

// The seconds that AWork takes on one core of the reference machine.
double Seconds(const TWork& AWork);
// Whether AWork is large enough to share among threads: starting and waking helpers
// costs more than it saves on a short run.
bool WorthThreads(const TWork& AWork);

// The work of writing ACount items of AItemBytes each into memory that has just
// been allocated; smaller arrays mostly reuse pages the process has had.
TWork FreshArray(std::uint64_t ACount, std::uint64_t AItemBytes);
