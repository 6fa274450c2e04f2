// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/LargeArrays.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// Smaller arrays mostly reuse memory the process has touched before.
constexpr std::size_t HugePageBytes = 2u << 20;

} // namespace

void ReserveLarge(std::vector<double>& AValues, std::size_t ACount) {
    AValues.reserve(ACount);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const std::size_t Bytes = AValues.capacity() * sizeof(double);
    if (Bytes < 2 * HugePageBytes)
        return;
    // Only whole huge pages inside the array; a refusal merely leaves the hint out.
    const auto Begin = reinterpret_cast<std::uintptr_t>(AValues.data());
    const std::uintptr_t First = (Begin + HugePageBytes - 1) & ~(HugePageBytes - 1);
    const std::uintptr_t Last = (Begin + Bytes) & ~(HugePageBytes - 1);
    if (Last > First)
        madvise(reinterpret_cast<void*>(First), Last - First, MADV_HUGEPAGE);
#endif
}
