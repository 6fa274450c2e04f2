// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "util/FormatSettings.h"

#include <QString>

class TRecord;

// The rows of the record grid: row 0 is the header, then one row per field. Every
// record is a column, as every signal is in the signal grid.
enum TRecordGridRow {
    rrHeader = 0,
    rrFile = 1,
    rrChannel = 2,
    rrRate = 3,
    rrSamples = 4,
    rrGain = 5,
    rrShift = 6,
    rrActive = 7
};

inline constexpr int RecordGridRowCount = 8;

// The header of the column of the record at ARecordIndex, counted from 0.
QString RecordColumnTitle(int ARecordIndex);
QString RecordGridRowLabel(int ARow);
// The row's description for the status bar; empty for the header row.
QString RecordGridRowDescription(int ARow);
// Rows whose number is typed in and stored.
bool IsRecordInputRow(int ARow);
// What a record's cell of a field row shows: the file's name without its folder, the
// rate in Hz ("1/dt" for samples that follow the curve's step) and the sample count,
// or "нет файла" for a record whose file could not be read.
QString RecordGridCellText(const TRecord& ARecord, int ARow,
                           const TFormatSettings& AFormat = TFormatSettings::Default());
// The number behind an input row, and storing one into it.
double RecordGridInput(const TRecord& ARecord, int ARow);
void SetRecordGridInput(TRecord& ARecord, int ARow, double AValue);
