// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Text typed into a settings row or a grid cell, through the core functions the
// editors and the grid use: the value keeps its limits, and the text shown for it
// reads back to it (up to the seven decimals the grid shows).
#include "FuzzCheck.h"
#include "model/SettingsRows.h"
#include "model/Signal.h"
#include "model/SignalGridRows.h"
#include "util/TextConvert.h"

#include <cmath>
#include <cstdint>

namespace {

// What a settings editor stores when the row is left with AText in it.
void EnterSetting(TCalcSettings& ASettings, TSetting ASetting, const QString& AText,
                  const TFormatSettings& AFormat) {
    const double Current = SettingValue(ASettings, ASetting);
    double Value = 0;
    if (IsIntegerSetting(ASetting)) {
        int i = 0;
        Value = TryTextToInt(AText, i) ? i : Current;
    } else {
        Value = TextToFloatDef(AText, Current, AFormat);
    }
    SetSettingValue(ASettings, ASetting, Value);
    LimitSetting(ASettings, ASetting);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    if (ASize < 2)
        return 0;
    const TFormatSettings Format = AData[0] & 1
                                       ? TFormatSettings{QLatin1Char(','), QChar(0x00A0)}
                                       : TFormatSettings{QLatin1Char('.'), QLatin1Char(',')};
    const QString Text = QString::fromUtf8(reinterpret_cast<const char*>(AData + 2),
                                           static_cast<qsizetype>(ASize - 2));

    TCalcSettings Settings;
    const TSetting Setting = static_cast<TSetting>(AData[1] % 5); // Window is not typed
    EnterSetting(Settings, Setting, Text, Format);
    FUZZ_CHECK(Settings.dt >= MinDt && Settings.M >= MinM && Settings.N >= MinN);
    if (Setting == stK)
        FUZZ_CHECK(Settings.K >= 1 && Settings.K <= Settings.N / 2);
    // The row then shows the value to seven decimals (to 15 significant digits from
    // 1e18 on, half a unit of the last plus the reading's rounding); leaving it
    // again takes that value, and from then on nothing changes.
    const double Entered = SettingValue(Settings, Setting);
    EnterSetting(Settings, Setting, SettingText(Settings, Setting, Format), Format);
    const double Shown = SettingValue(Settings, Setting);
    FUZZ_CHECK(std::fabs(Shown - Entered) <= 5e-8 + 5.1e-15 * std::fabs(Entered));
    EnterSetting(Settings, Setting, SettingText(Settings, Setting, Format), Format);
    FUZZ_CHECK(SettingValue(Settings, Setting) == Shown);

    TSignal Signal;
    const int Row = 1 + (AData[1] / 5) % (SignalGridRowCount - 1);
    if (IsInputGridRow(Row)) {
        SetSignalGridInput(Signal, Row, TextToFloatDef(Text, SignalGridInput(Signal, Row), Format));
        const double Stored = SignalGridInput(Signal, Row);
        FUZZ_CHECK(std::isfinite(Stored));
        const double Shown =
            TextToFloatDef(SignalGridCellText(Signal, Row, Format), Stored, Format);
        FUZZ_CHECK(std::fabs(Shown - Stored) <= 5e-8 + 5.1e-15 * std::fabs(Stored));
    }
    Signal.Calc(Format);
    for (int r = 0; r < SignalGridRowCount; ++r)
        SignalGridCellText(Signal, r, Format);
    return 0;
}
