// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/Record.h"

#include <QString>

#include <cstdint>
#include <string_view>

// Reads one function of a universal file (.uff, .unv): channel c (from 1) is the
// c-th dataset 58, ASCII or binary (58b), in the file; datasets of other numbers
// are skipped. The function must hold real values, single or double precision; its
// abscissa is the time in seconds, evenly spaced or given per value and then
// uniform. Fixed-width fields are read by their columns, so numbers that run
// together without a blank still read. Raises ERecordError naming AFileName;
// AAvailableBytes bounds the samples.
TRecordSamples ReadUffRecord(std::string_view AText, const QString& AFileName, int AChannel,
                             std::uint64_t AAvailableBytes);
