// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/Record.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <limits>
#include <string_view>

enum TRecordFormat { rfAudio, rfText, rfUniversal };

// No bound on the memory the samples may take.
inline constexpr std::uint64_t UnlimitedBytes = std::numeric_limits<std::uint64_t>::max();

// The format of a record file: by its extension when that is known, otherwise by
// the first bytes (AHead): a universal file opens with a "-1" line, an audio file
// with a known signature or binary bytes, anything else is text.
TRecordFormat RecordFormatOf(const QString& AFileName, std::string_view AHead);

// Whether a name's extension is one of a record file (for files dropped on the window).
bool IsRecordFileName(const QString& AFileName);

// The open dialog's filter of record files ("description|masks" pairs).
QString RecordFileFilter();

// Reads channel AChannel (from 1) of a record file in any of the formats. The
// samples may take AAvailableBytes at most. Raises ERecordError naming the file
// for every fault, a missing or unreadable file included.
TRecordSamples ReadRecordFile(const QString& AFileName, int AChannel,
                              std::uint64_t AAvailableBytes = UnlimitedBytes);

// The same for the bytes of a file, in a format already told.
TRecordSamples ReadRecordBytes(std::string_view ABytes, TRecordFormat AFormat,
                               const QString& AFileName, int AChannel,
                               std::uint64_t AAvailableBytes = UnlimitedBytes);
