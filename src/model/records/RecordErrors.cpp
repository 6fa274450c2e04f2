// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/records/RecordErrors.h"

void CheckRecordMemory(const QString& AFileName, std::uint64_t ACount, std::uint64_t ABytesEach,
                       std::uint64_t AAvailableBytes) {
    if (ABytesEach != 0 && ACount > AAvailableBytes / ABytesEach)
        throw ERecordError(AFileName, TooLargeFault());
}
