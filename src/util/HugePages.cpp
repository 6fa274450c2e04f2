// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/HugePages.h"

#include <sys/mman.h>

#include <cstdint>

void AdviseHugePages(void* AData, std::size_t ABytes) {
    constexpr std::uintptr_t Huge = std::uintptr_t{2} << 20;
    // Only whole huge pages inside the array qualify.
    const std::uintptr_t Begin = reinterpret_cast<std::uintptr_t>(AData);
    const std::uintptr_t First = (Begin + Huge - 1) & ~(Huge - 1);
    const std::uintptr_t Last = (Begin + ABytes) & ~(Huge - 1);
    if (Last > First)
        madvise(reinterpret_cast<void*>(First), Last - First, MADV_HUGEPAGE);
}
