// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/SignalList.h"

#include <memory>

// The largest number of DFT points the settings take.
inline constexpr int LargestN = 2147483647;

// Appends a signal of initial displacement A, velocity V, frequency F and damping D.
inline void AddSignal(TSignals& AList, double A, double V, double F, double D,
                      bool AActive = true) {
    auto s = std::make_unique<TSignal>(A, V, F, D);
    s->SetActive(AActive);
    AList.Add(std::move(s));
}
