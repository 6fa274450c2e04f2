// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/identify/Identification.h"
#include "model/RecordList.h"
#include "model/SignalList.h"

#include <vector>

// How the signals of the oscillations found enter the project.
enum class TIdentifiedUse {
    Replace, // in place of every signal; C takes the constant found
    Add      // after the signals; C stays
};

// Puts the signals of the oscillations AChosen marks (every one when AChosen is empty)
// into ASignals, and the constant into AConstant when replacing. Every signal is made
// before the list changes, so an oscillation that cannot be carried back to the
// curve's start raises EVibronaError and changes nothing; so does a choice of none.
void UseIdentified(TSignals& ASignals, double& AConstant, const TIdentification& AResult,
                   const std::vector<bool>& AChosen, TIdentifiedUse AUse);

// After the oscillations of a source went into the signals, the records they came from
// stop adding into the curve, which would otherwise hold them twice: ARecord alone, or
// for the composite curve (ARecord -1) every record that contributed to it.
void SwitchOffIdentifiedRecords(TRecords& ARecords, int ARecord);
