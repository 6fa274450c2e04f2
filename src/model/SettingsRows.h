// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/CalcSettings.h"
#include "util/FormatSettings.h"

#include <QString>

#include <array>

// The six calculation settings as rows of the two key/value editors.
enum TSetting { stDt, stM, stC, stN, stK, stWindow };

// The rows of "Параметры" and of "Параметры DFT", row 1 first.
inline constexpr std::array<TSetting, 3> CmnParamsSettings = {stDt, stM, stC};
inline constexpr std::array<TSetting, 3> DftParamsSettings = {stN, stK, stWindow};

// The row's key, which is the setting's name ("dt", "M", ...).
QString SettingKey(TSetting ASetting);
// What the status bar says about the row.
QString SettingDescription(TSetting ASetting);
// M, N and K are typed as integers; dt and C as floats; Window is chosen from a list.
bool IsIntegerSetting(TSetting ASetting);

// A numeric setting as a double (integers convert exactly), and storing one back.
double SettingValue(const TCalcSettings& ASettings, TSetting ASetting);
void SetSettingValue(TCalcSettings& ASettings, TSetting ASetting, double AValue);
// Applies the setting's own limit (K against the N of the moment); true when it changed.
bool LimitSetting(TCalcSettings& ASettings, TSetting ASetting);

// The row's text in its normal form: "#,##0.0######" for floats, "%d" for integers,
// the enumerator name for Window (the ordinal itself when it names no kind).
QString SettingText(const TCalcSettings& ASettings, TSetting ASetting,
                    const TFormatSettings& AFormat = TFormatSettings::Default());
