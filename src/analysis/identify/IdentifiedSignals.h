// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/identify/Identification.h"
#include "model/Signal.h"

#include <memory>
#include <vector>

// The signal that reproduces AOscillation on the curve: its inputs are the
// oscillation's state carried back from the span's start, AStartTime, to the curve's
// time 0. A sine wave becomes the model's sine wave (its amplitude and phase Fi). A
// start value within the model's zero tolerance of 1e-8 is set just outside it, as
// the model holds no damped oscillation that starts at 0. Raises EVibronaError when
// the state at time 0 is out of range (a strong damping far from the curve's start).
std::unique_ptr<TSignal> IdentifiedSignal(const TOscillation& AOscillation, double AStartTime);

// The signals of every oscillation found, in order; C takes AResult.Constant.
std::vector<std::unique_ptr<TSignal>> IdentifiedSignals(const TIdentification& AResult);
