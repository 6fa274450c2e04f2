// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <vector>

// Asks the system to back the large array at AData with huge pages where it can:
// writing fresh memory then costs one page fault per two megabytes instead of one per
// four kilobytes. A hint only; call it before the memory is first written.
void AdviseHugePages(void* AData, std::size_t ABytes);

// Reserves room for ACount items in AVector, advised as above.
template <typename T, typename TAllocator>
void ReserveHuge(std::vector<T, TAllocator>& AVector, std::size_t ACount) {
    AVector.reserve(ACount);
    AdviseHugePages(AVector.data(), ACount * sizeof(T));
}
