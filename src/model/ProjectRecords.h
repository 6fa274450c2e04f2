// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/CalcSettings.h"
#include "model/Record.h"
#include "model/RecordList.h"
#include "util/FormatSettings.h"
#include "util/IniFile.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// The project file's section of the settings and counts.
inline const QString ProjectGeneralSection = QStringLiteral("General");

// More records than any real project holds; such a count means a damaged file.
inline constexpr int MaxProjectRecords = 10000;

// A record's File as the project stores it: relative to the project's folder when
// the file lies below it, otherwise the full path.
QString RecordFileText(const QString& AFileName, const QString& AProjectFolder);
// The full path that a stored File names.
QString RecordFilePath(const QString& AText, const QString& AProjectFolder);

// The records of a project file: RecordsCount in section General, then File, Channel,
// Gain, Shift and Active of the sections Record0 .. RecordsCount - 1, without their
// samples. A missing or unconvertible value gives the default of a new record; a
// section without a File gives no record. Raises EVibronaError for a RecordsCount
// above MaxProjectRecords.
std::vector<std::unique_ptr<TRecord>>
ReadRecordEntries(const TIniFile& AIni, const QString& AProjectFolder,
                  const TFormatSettings& AFormat = TFormatSettings::Default());

// Writes RecordsCount and one section per record. A project without records that
// never had any keeps its file free of them.
void WriteRecords(TIniFile& AIni, const TRecords& ARecords, const QString& AProjectFolder,
                  const TFormatSettings& AFormat = TFormatSettings::Default());

// A record whose samples could not be read.
struct TRecordProblem {
    QString FileName;
    bool NotFound = false; // otherwise the file was there but gave no record
    QString Message;       // the reader's message
};

// Reads the samples of each record anew from its file. A record whose file is
// missing or unreadable is marked missing and listed; the others are no longer
// missing. All records' samples together may take AAvailableBytes.
std::vector<TRecordProblem> LoadRecordSamples(std::vector<std::unique_ptr<TRecord>>& ARecords,
                                              std::uint64_t AAvailableBytes);

// The one message about records that could not be read: «Не найдены файлы записей:
// ...» for the missing files, then the message of each unreadable one, a line each.
// Empty when there is nothing to tell.
QString RecordProblemsText(const std::vector<TRecordProblem>& AProblems);

// A record of channel AChannel (from 1) of a file, with its samples: gain 1, shift 0,
// active. Raises ERecordError as the readers do.
std::unique_ptr<TRecord> ReadRecord(const QString& AFileName, int AChannel = 1,
                                    std::uint64_t AAvailableBytes = UINT64_MAX);

// The settings that fit a record: dt its step (the current dt for a record that
// follows it), M its length, N = M and K = N div 2, within their limits; C and the
// window as in ASettings.
TCalcSettings SettingsForRecord(const TRecord& ARecord, const TCalcSettings& ASettings);
