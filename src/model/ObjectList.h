// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "util/Errors.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

enum class TListNotification { Entered, Left };

// An ordered list that owns its elements. Every change of membership calls Notify
// once per element, after the list has its new length; a leaving element is
// destroyed only after Notify returns.
template <typename T> class TObjectList {
public:
    TObjectList() = default;
    TObjectList(const TObjectList&) = delete;
    TObjectList& operator=(const TObjectList&) = delete;
    // Destroys the elements from the last to the first, without notifications:
    // a derived list that wants them clears itself in its own destructor.
    virtual ~TObjectList() {
        while (!FItems.empty())
            FItems.pop_back();
    }

    int Count() const { return static_cast<int>(FItems.size()); }

    int Add(std::unique_ptr<T> AItem) {
        FItems.push_back(std::move(AItem));
        Notify(*FItems.back(), TListNotification::Entered);
        return Count() - 1;
    }

    void Insert(int Index, std::unique_ptr<T> AItem) {
        if (Index < 0 || Index > Count())
            throw EListError(Index);
        auto It = FItems.insert(FItems.begin() + Index, std::move(AItem));
        Notify(**It, TListNotification::Entered);
    }

    void Delete(int Index) {
        CheckIndex(Index);
        std::unique_ptr<T> Leaving = std::move(FItems[Index]);
        FItems.erase(FItems.begin() + Index);
        Notify(*Leaving, TListNotification::Left);
    }

    void Clear() {
        while (!FItems.empty()) {
            std::unique_ptr<T> Leaving = std::move(FItems.back());
            FItems.pop_back();
            Notify(*Leaving, TListNotification::Left);
        }
    }

    // Sorts with a three-way comparison (negative: first before second). Not stable.
    template <typename TCompare> void Sort(TCompare ACompare) {
        std::sort(FItems.begin(), FItems.end(),
                  [&](const std::unique_ptr<T>& a, const std::unique_ptr<T>& b) {
                      return ACompare(*a, *b) < 0;
                  });
    }

protected:
    T& GetItem(int Index) const {
        CheckIndex(Index);
        return *FItems[Index];
    }

    // Puts AItem at Index. Handing back the element already there changes nothing
    // (its ownership stays with the list); otherwise the old element leaves and is destroyed.
    void SetItem(int Index, std::unique_ptr<T> AItem) {
        CheckIndex(Index);
        if (AItem.get() == FItems[Index].get()) {
            (void)AItem.release();
            return;
        }
        std::unique_ptr<T> Leaving = std::exchange(FItems[Index], std::move(AItem));
        Notify(*Leaving, TListNotification::Left);
        Notify(*FItems[Index], TListNotification::Entered);
    }

    virtual void Notify(T& /*AItem*/, TListNotification /*AAction*/) {}

private:
    void CheckIndex(int Index) const {
        if (Index < 0 || Index >= Count())
            throw EListError(Index);
    }

    std::vector<std::unique_ptr<T>> FItems;
};
