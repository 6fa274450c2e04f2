// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as a universal file (datasets 58, ASCII or binary): a record error or a record that
// keeps the promises of RecordFuzzCheck.h, within a megabyte of samples.
#include "RecordFuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    CheckRecordReading(AData, ASize, rfUniversal, 1 << 20);
    return 0;
}
