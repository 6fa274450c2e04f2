// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/CalcSettings.h"
#include "model/Project.h"
#include "model/ProjectRecords.h"
#include "model/SignalList.h"
#include "util/FormatSettings.h"
#include "util/IniFile.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

// More signals than any real project holds; such a count means a damaged file.
inline constexpr int MaxProjectSignals = 100000;

// A project as read from a file, before it replaces anything.
struct TProjectData {
    TCalcSettings Settings;
    std::vector<std::unique_ptr<TSignal>> Signals;
    std::vector<std::unique_ptr<TRecord>> Records;
};

// Reads the six settings (sections General and DFT) and the signals (Signal0 ..
// SignalsCount - 1). A missing or unconvertible value keeps the current one for a
// setting and the default of a new signal for a signal field. Floats convert with
// "." or ",". Settings outside the editors' limits are corrected. Raises
// EVibronaError for a SignalsCount above MaxProjectSignals.
TProjectData ReadProject(const TIniFile& AIni, const TCalcSettings& ACurrentSettings,
                         int ACurrentCount,
                         const TFormatSettings& AFormat = TFormatSettings::Default());
std::vector<std::unique_ptr<TSignal>>
ReadSignals(const TIniFile& AIni, int ACurrentCount,
            const TFormatSettings& AFormat = TFormatSettings::Default());

void WriteSettings(TIniFile& AIni, const TCalcSettings& ASettings,
                   const TFormatSettings& AFormat = TFormatSettings::Default());
void WriteSignals(TIniFile& AIni, const TSignals& ASignals,
                  const TFormatSettings& AFormat = TFormatSettings::Default());

// Opening is all or nothing: the file is read and checked before the settings and
// the signals are replaced. An absent file reads as empty; one that exists but
// cannot be read raises EReadError, naming the file.
void OpenProject(const QString& AFileName, TCalcSettings& ASettings, TSignals& ASignals,
                 const TFormatSettings& AFormat = TFormatSettings::Default());

// Writes the settings, then the signals, into whatever the file holds, in one
// atomic replacement of the file. A target that cannot be replaced raises
// EWriteError; one that can be replaced but not read raises EReadError, since its
// other lines could not be kept.
void SaveProject(const QString& AFileName, const TCalcSettings& ASettings, const TSignals& ASignals,
                 const TFormatSettings& AFormat = TFormatSettings::Default());

// The whole project, records included. Opening reads the settings, the signals and
// the records with their samples before it replaces the project's; a record whose
// file is missing or unreadable stays, marked missing, and is returned among the
// problems (RecordProblemsText makes the message). The samples may take
// AAvailableBytes. The project's file name is the caller's to set. Raises as the
// OpenProject above.
std::vector<TRecordProblem>
OpenProject(const QString& AFileName, TProject& AProject,
            std::uint64_t AAvailableBytes = std::numeric_limits<std::uint64_t>::max(),
            const TFormatSettings& AFormat = TFormatSettings::Default());

// Writes the settings, the signals and the records, their files relative to the
// folder of AFileName where they lie below it. Raises as the SaveProject above.
void SaveProject(const QString& AFileName, const TProject& AProject,
                 const TFormatSettings& AFormat = TFormatSettings::Default());
