// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/SignalTypes.h"

// Weight of sample i in a window of kind AKind that spans n samples. Symmetric over
// 0 .. n - 1 (the divisor is n - 1); 1 for i >= n and for kinds outside the five.
double CalcWindow(TWindowKind AKind, int i, int n);
