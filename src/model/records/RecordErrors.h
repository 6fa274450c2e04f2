// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "util/Errors.h"

#include <cstdint>

// A file that does not give a record: the message names the file and the fault.
class ERecordError : public EVibronaError {
public:
    ERecordError(const QString& AFileName, const QString& AFault)
        : EVibronaError(
              QStringLiteral("Не удается прочитать запись из файла %1: %2").arg(AFileName, AFault)),
          FFault(AFault) {}
    const QString& Fault() const { return FFault; }

private:
    QString FFault;
};

// The faults that every reader can meet.
inline QString EmptyFileFault() {
    return QStringLiteral("файл пуст");
}
inline QString TooLargeFault() {
    return QStringLiteral("записи не хватит памяти");
}
inline QString NoChannelFault(int AChannel, int ACount) {
    return QStringLiteral("нет канала %1 (каналов в файле: %2)").arg(AChannel).arg(ACount);
}

// Raises the fault "no memory" when ACount values of ABytesEach do not fit into
// AAvailableBytes.
void CheckRecordMemory(const QString& AFileName, std::uint64_t ACount, std::uint64_t ABytesEach,
                       std::uint64_t AAvailableBytes);
