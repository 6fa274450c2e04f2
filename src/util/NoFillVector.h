// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <new>
#include <utility>
#include <vector>

// An allocator under which resize leaves new elements default-initialised: plain
// numbers stay unset. A large array that its producer writes whole then needs no pass
// of zeros first, which costs about as much as the writing, and its fresh pages are
// first touched by the threads that write them.
template <typename T> class TNoFillAllocator : public std::allocator<T> {
public:
    using value_type = T;
    template <typename U> struct rebind { using other = TNoFillAllocator<U>; };

    TNoFillAllocator() = default;
    template <typename U> TNoFillAllocator(const TNoFillAllocator<U>&) noexcept {}

    template <typename U> void construct(U* AAt) noexcept(noexcept(::new U)) {
        ::new (static_cast<void*>(AAt)) U;
    }
    template <typename U, typename... TArgs> void construct(U* AAt, TArgs&&... AArgs) {
        ::new (static_cast<void*>(AAt)) U(std::forward<TArgs>(AArgs)...);
    }
};

// A vector whose resize writes nothing: every element must be written before it is read.
template <typename T> using TNoFillVector = std::vector<T, TNoFillAllocator<T>>;
