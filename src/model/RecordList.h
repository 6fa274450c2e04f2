// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/ObjectList.h"
#include "model/Record.h"

#include <cstdint>
#include <functional>

// The ordered, owning list of a project's records. OnChangeCount fires once per
// element entering or leaving, after the count has changed.
class TRecords : public TObjectList<TRecord> {
public:
    using TNotifyEvent = std::function<void(TRecords& Sender)>;

    TRecords() = default;
    ~TRecords() override { Clear(); }

    TRecord& Records(int Index) const { return GetItem(Index); }
    TRecord& operator[](int Index) const { return GetItem(Index); }

    // The bytes the samples of all records hold.
    std::uint64_t SampleBytes() const;

    const TNotifyEvent& OnChangeCount() const { return FOnChangeCount; }
    void SetOnChangeCount(TNotifyEvent AHandler) { FOnChangeCount = std::move(AHandler); }

protected:
    void Notify(TRecord& AItem, TListNotification AAction) override;

private:
    TNotifyEvent FOnChangeCount;
};
