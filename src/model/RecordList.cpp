// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/RecordList.h"

std::uint64_t TRecords::SampleBytes() const {
    std::uint64_t Bytes = 0;
    for (int i = 0; i < Count(); ++i)
        Bytes += GetItem(i).Samples().size() * sizeof(double);
    return Bytes;
}

void TRecords::Notify(TRecord& AItem, TListNotification AAction) {
    if (FOnChangeCount)
        FOnChangeCount(*this);
    TObjectList<TRecord>::Notify(AItem, AAction);
}
