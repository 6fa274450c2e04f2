// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The unit Signals: component signals, their list, the spectrum and the enumerations.
#include "model/CalcSettings.h"
#include "model/Signal.h"
#include "model/SignalList.h"
#include "model/SignalTypes.h"
#include "model/Spectrum.h"
#include "util/NumberFormat.h"
