// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/Record.h"

#include <utility>

TRecord::TRecord(QString AFileName, int AChannel)
    : FFileName(std::move(AFileName)), FChannel(AChannel) {}

void TRecord::SetMissing() {
    FMissing = true;
    FData = TRecordSamples{};
}

void TRecord::SetSamples(TRecordSamples ASamples) {
    FData = std::move(ASamples);
    FMissing = false;
}
