#pragma once

#include "model/CalcSettings.h"
#include "model/SignalList.h"

#include <QString>

// The whole input of a session: the signals, the one set of calculation settings of
// the running program and the project file they were last opened from or saved to.
class TProject {
public:
    TSignals& Signals() { return FSignals; }
    const TSignals& Signals() const { return FSignals; }
    // The full path of the current project file; empty when there is none.
    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& AFileName) { FFileName = AFileName; }

    TCalcSettings CalcSettings;

private:
    TSignals FSignals;
    QString FFileName;
};
