// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/Record.h"

#include <QString>

#include <cstdint>
#include <string_view>

// Reads channel AChannel (from 1) of an audio file held in memory through
// libsndfile: WAV, AIFF, FLAC, Ogg and whatever else it knows. Integer samples come
// scaled to [-1, 1); the step is 1 / rate. Raises ERecordError naming AFileName for
// an unknown, damaged or truncated file, a rate of 0, a channel the file lacks and
// non-finite samples; AAvailableBytes bounds the samples.
TRecordSamples ReadAudioRecord(std::string_view ABytes, const QString& AFileName, int AChannel,
                               std::uint64_t AAvailableBytes);
