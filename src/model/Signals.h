#pragma once

// The unit Signals: component signals, their list, the spectrum and the enumerations.
#include "model/CalcSettings.h"
#include "model/Signal.h"
#include "model/SignalList.h"
#include "model/SignalTypes.h"
#include "model/Spectrum.h"
#include "util/NumberFormat.h"
