#pragma once

#include "model/Spectrum.h"
#include "util/FormatSettings.h"

#include <QByteArray>

#include <span>
#include <vector>

// The text exports: one line per record, fields separated by a tab, CR LF after
// every line (the last one too), no header, numbers in "#,##0.#######" under the
// given locale, encoded in the locale's 8-bit encoding.

// Two columns: the points of a chart series (time and value, or frequency and magnitude).
QByteArray PointsText(std::span<const double> AX, std::span<const double> AY,
                      const TFormatSettings& AFormat = TFormatSettings::Default());

// One line per row, its numbers in the row's order.
QByteArray NumberRowsText(const std::vector<std::vector<double>>& ARows,
                          const TFormatSettings& AFormat = TFormatSettings::Default());

// Frequency, magnitude and "Да" or "Нет" for Peak, one line per sample.
QByteArray CharacteristicText(const std::vector<TSpectrumSample>& ASamples,
                              const TFormatSettings& AFormat = TFormatSettings::Default());
QByteArray CharacteristicText(const TSpectrum& ASamples,
                              const TFormatSettings& AFormat = TFormatSettings::Default());
