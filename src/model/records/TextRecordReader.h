// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/Record.h"

#include <QString>

#include <cstdint>
#include <string_view>

// Reads a text of numeric columns: separated by tabs, ";", "," or blanks, with "."
// or "," as the decimal separator, both told from the first rows. Leading lines
// that do not begin with a number are a header; blank lines carry no meaning. One
// column holds values that follow the curve's dt. With two or more, the first is
// the time, which must be uniform, and channel c (from 1) is column c + 1.
// Raises ERecordError naming AFileName; AAvailableBytes bounds the samples.
TRecordSamples ReadTextRecord(std::string_view AText, const QString& AFileName, int AChannel,
                              std::uint64_t AAvailableBytes);
