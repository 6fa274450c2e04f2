// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/ObjectList.h"
#include "model/Signal.h"

#include <functional>

// The ordered, owning list of component signals. OnChangeCount fires once per
// element entering or leaving, after the count has changed and before a leaving
// signal is destroyed.
class TSignals : public TObjectList<TSignal> {
public:
    using TNotifyEvent = std::function<void(TSignals& Sender)>;

    TSignals() = default;
    ~TSignals() override { Clear(); }

    TSignal& Signals(int Index) const { return GetSignal(Index); }
    TSignal& operator[](int Index) const { return GetSignal(Index); }
    void SetSignals(int Index, std::unique_ptr<TSignal> AItem) {
        SetSignal(Index, std::move(AItem));
    }

    // Replaces every signal by those of a project file (all or nothing), and writes
    // the count and one section per signal into a project file.
    void LoadFromFile(const QString& AFileName);
    void SaveToFile(const QString& AFileName) const;

    // Applies one operation to one parameter of every signal, active or not.
    void ChangeParam(TSignalParams AParam, TChangeOperations AOperation, double Value);

    const TNotifyEvent& OnChangeCount() const { return FOnChangeCount; }
    void SetOnChangeCount(TNotifyEvent AHandler) { FOnChangeCount = std::move(AHandler); }

protected:
    TSignal& GetSignal(int Index) const { return GetItem(Index); }
    void SetSignal(int Index, std::unique_ptr<TSignal> AItem) { SetItem(Index, std::move(AItem)); }
    void Notify(TSignal& AItem, TListNotification AAction) override;

private:
    TNotifyEvent FOnChangeCount;
};
