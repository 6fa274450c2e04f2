// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/Record.h"
#include "model/RecordList.h"

#include <cstddef>
#include <span>

// Adds a record into the curve samples AFirst .. AFirst + ABlock.size() - 1 of a curve
// sampled at Adt, ABlock[0] being sample AFirst. Curve sample i lies at t = i * Adt;
// the record gives there its samples times its gain, read at t - Shift by linear
// interpolation between neighbours, and 0 outside the span of its samples. A record
// whose step is Adt and whose shift and start are 0 adds its samples exactly. Adds
// nothing for a missing record; activity is the caller's concern. Any block split
// gives the same values, so blocks may run on several threads at once.
void AddRecordToCurve(const TRecord& ARecord, double Adt, std::size_t AFirst,
                      std::span<double> ABlock);

// Every record that contributes (active, not missing), in list order.
void AddRecordsToCurve(const TRecords& ARecords, double Adt, std::size_t AFirst,
                       std::span<double> ABlock);
