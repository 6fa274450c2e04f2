// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/Record.h"

#include <cstddef>
#include <vector>

// The samples of a curve that a span of time covers: the curve of ASamples points at
// t = i * Adt, from the first sample at or after AStart to the last at or before AEnd
// (a sample within a millionth of a step of either end counts as inside). Raises
// EVibronaError when the span holds fewer than IdentifyMinSamples samples.
struct TCurveSpan {
    std::size_t First = 0;
    std::size_t Count = 0;
};
TCurveSpan CurveSpan(std::size_t ASamples, double Adt, double AStart, double AEnd);

// One record alone as the curve holds it at Adt, whether active or not: its curve
// samples AFirst .. AFirst + ACount - 1.
std::vector<double> RecordCurveSpan(const TRecord& ARecord, double Adt, std::size_t AFirst,
                                    std::size_t ACount);
