// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Progress.h"
#include "analysis/WorkCost.h"
#include "model/Spectrum.h"
#include "util/FormatSettings.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <span>
#include <vector>

// The text exports: one line per record, fields separated by a tab, CR LF after
// every line (the last one too), no header, numbers in "#,##0.#######" under the
// given locale, encoded in the locale's 8-bit encoding.
//
// The writers format the lines in pieces of many lines, several pieces at once on
// AThreads threads (<= 0: the CPUs the process may run on), and hand the pieces to
// the sink in order, so the whole text is never held at once. AProgress, when given,
// hears of every piece as TextExportWork counts it and may stop the export.

// Receives the text of an export piece by piece, in order.
using TTextSink = std::function<void(QByteArrayView APiece)>;

// The work of formatting ALines lines of ANumbers numbers each and writing them to a file.
TWork TextExportWork(std::size_t ALines, int ANumbers);

// Two columns: the points of a chart series (time and value, or frequency and magnitude).
void WritePointsText(std::span<const double> AX, std::span<const double> AY, const TTextSink& ASink,
                     const TFormatSettings& AFormat = TFormatSettings::Default(), int AThreads = 0,
                     TProgress* AProgress = nullptr);
QByteArray PointsText(std::span<const double> AX, std::span<const double> AY,
                      const TFormatSettings& AFormat = TFormatSettings::Default());

// One line per row, its numbers in the row's order.
QByteArray NumberRowsText(const std::vector<std::vector<double>>& ARows,
                          const TFormatSettings& AFormat = TFormatSettings::Default());

// Frequency, magnitude and "Да" or "Нет" for Peak, one line per sample.
void WriteCharacteristicText(const std::vector<TSpectrumSample>& ASamples, const TTextSink& ASink,
                             const TFormatSettings& AFormat = TFormatSettings::Default(),
                             int AThreads = 0, TProgress* AProgress = nullptr);
QByteArray CharacteristicText(const std::vector<TSpectrumSample>& ASamples,
                              const TFormatSettings& AFormat = TFormatSettings::Default());
QByteArray CharacteristicText(const TSpectrum& ASamples,
                              const TFormatSettings& AFormat = TFormatSettings::Default());
