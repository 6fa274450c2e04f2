// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <vector>

// Asks the system to back the large array at AData with huge pages where it can:
// writing fresh memory then costs one page fault per two megabytes instead of one per
// four kilobytes. A hint only; call it before the memory is first written.
void AdviseHugePages(void* AData, std::size_t ABytes);

// Sizes AVector to ACount items, in room advised as above before resize writes it: new
// items are AValue, or value-initialised (which a TNoFillVector leaves unset).
template <typename T, typename TAllocator, typename... TValue>
void ResizeHuge(std::vector<T, TAllocator>& AVector, std::size_t ACount, const TValue&... AValue) {
    AVector.reserve(ACount);
    AdviseHugePages(AVector.data(), ACount * sizeof(T));
    AVector.resize(ACount, AValue...);
}
