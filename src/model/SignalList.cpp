// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/SignalList.h"

void TSignals::ChangeParam(TSignalParams AParam, TChangeOperations AOperation, double Value) {
    for (int i = 0; i < Count(); ++i)
        GetSignal(i).ChangeParam(AParam, AOperation, Value);
}

void TSignals::Notify(TSignal& AItem, TListNotification AAction) {
    if (FOnChangeCount)
        FOnChangeCount(*this);
    TObjectList<TSignal>::Notify(AItem, AAction);
}
