// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "util/FormatSettings.h"

#include <QString>

class TSignal;

// The rows of the signal grid: row 0 is the header, rows 1 to 11 the parameters.
enum TSignalGridRow {
    grHeader = 0,
    grActive = 1,
    grAmplitude = 2,
    grVelocity = 3,
    grFrequency = 4,
    grW = 5,
    grDF = 6,
    grFd = 7,
    grWd = 8,
    grA = 9,
    grFi = 10,
    grFormula = 11
};

inline constexpr int SignalGridRowCount = 12;

// The header of the column of the signal at ASignalIndex, counted from 0.
QString SignalColumnTitle(int ASignalIndex);
// The label of a row in the label column.
QString SignalGridRowLabel(int ARow);
// The row's description for the status bar; empty for the header row.
QString SignalGridRowDescription(int ARow);
// Rows derived by the last recalculation; they are painted cream.
bool IsDerivedGridRow(int ARow);
// Rows that may become the current cell.
bool IsSelectableGridRow(int ARow);
// Rows whose number is typed in and stored; the formula row is edited but ignored.
bool IsInputGridRow(int ARow);
// What a signal's cell of a parameter row shows.
QString SignalGridCellText(const TSignal& ASignal, int ARow,
                           const TFormatSettings& AFormat = TFormatSettings::Default());
// The number behind an input row, and storing one into it.
double SignalGridInput(const TSignal& ASignal, int ARow);
void SetSignalGridInput(TSignal& ASignal, int ARow, double AValue);
