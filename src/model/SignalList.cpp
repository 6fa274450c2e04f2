// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/SignalList.h"

#include "util/Errors.h"

#include <cmath>

namespace {

bool InputsFinite(const TSignal& ASignal) {
    return std::isfinite(ASignal.Amplitude()) && std::isfinite(ASignal.Velocity()) &&
           std::isfinite(ASignal.Frequency()) && std::isfinite(ASignal.DF()) &&
           std::isfinite(ASignal.Fi());
}

} // namespace

void TSignals::ChangeParam(TSignalParams AParam, TChangeOperations AOperation, double Value) {
    // All or nothing: a value beyond the range of numbers would show as INF in the grid
    // and be saved so.
    for (int i = 0; i < Count(); ++i) {
        TSignal Trial = GetSignal(i);
        Trial.ChangeParam(AParam, AOperation, Value);
        if (!InputsFinite(Trial))
            throw EVibronaError(
                QStringLiteral("Изменение дает значение вне диапазона чисел в сигнале [%1]. "
                               "Сигналы не изменены.")
                    .arg(i));
    }
    for (int i = 0; i < Count(); ++i)
        GetSignal(i).ChangeParam(AParam, AOperation, Value);
}

void TSignals::Notify(TSignal& AItem, TListNotification AAction) {
    if (FOnChangeCount)
        FOnChangeCount(*this);
    TObjectList<TSignal>::Notify(AItem, AAction);
}
