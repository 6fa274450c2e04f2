// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/CalcSettings.h"
#include "model/RecordList.h"
#include "model/SignalList.h"

#include <QString>

// The whole input of a session: the signals, the measured records, the one set of
// calculation settings of the running program and the project file they were last
// opened from or saved to.
class TProject {
public:
    TSignals& Signals() { return FSignals; }
    const TSignals& Signals() const { return FSignals; }
    TRecords& Records() { return FRecords; }
    const TRecords& Records() const { return FRecords; }
    // The full path of the current project file; empty when there is none.
    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& AFileName) { FFileName = AFileName; }

    TCalcSettings CalcSettings;

private:
    TSignals FSignals;
    TRecords FRecords;
    QString FFileName;
};
