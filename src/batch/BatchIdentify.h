// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Recalculation.h"
#include "analysis/identify/Identification.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// vibrona-batch's --identify FILE: the damped oscillations of the composite curve,
// and --identify-count N: the most of them looked for.
inline const QString IdentifyOption = QStringLiteral("--identify");
inline const QString IdentifyCountOption = QStringLiteral("--identify-count");

// The count that AText names, from 1 to IdentifyMaxCount; nothing for any other text.
std::optional<int> ParseIdentifyCount(const QString& AText);
// Why the count AText is refused.
QString IdentifyCountError(const QString& AText);

// The oscillations of the whole curve of a recalculation at Adt; raises EOutOfMemory
// ahead when the work would not fit into AAvailableBytes.
TIdentification IdentifyCurve(const TCalcResult& AResult, double Adt, int AMaxCount,
                              std::uint64_t AAvailableBytes);

// One line per oscillation, F ascending: F, D, A and V as the text exports write numbers.
QByteArray IdentificationText(const TIdentification& AResult);

// The project that --save-project writes after --identify: the signals of every
// oscillation found in place of the others, C the constant, derived values computed.
// Raises when nothing was found, as a project keeps at least one signal.
void UseIdentifiedProject(TSignals& ASignals, TCalcSettings& ASettings,
                          const TIdentification& AResult);
