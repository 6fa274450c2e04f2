// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/SettingsRows.h"

#include "model/SignalTypes.h"
#include "util/NumberFormat.h"

QString SettingKey(TSetting ASetting) {
    switch (ASetting) {
    case stDt:
        return QStringLiteral("dt");
    case stM:
        return QStringLiteral("M");
    case stC:
        return QStringLiteral("C");
    case stN:
        return QStringLiteral("N");
    case stK:
        return QStringLiteral("K");
    case stWindow:
        return QStringLiteral("Window");
    }
    return {};
}

QString SettingDescription(TSetting ASetting) {
    switch (ASetting) {
    case stDt:
        return QStringLiteral("период дискретизации");
    case stM:
        return QStringLiteral("количество отсчетов сигнала");
    case stC:
        return QStringLiteral("постоянная составляющая");
    case stN:
        return QStringLiteral("размер ДПФ");
    case stK:
        return QStringLiteral("количество отсчетов в спектре; K <= (N div 2)");
    case stWindow:
        return QStringLiteral("оконная функция");
    }
    return {};
}

bool IsIntegerSetting(TSetting ASetting) {
    return ASetting == stM || ASetting == stN || ASetting == stK;
}

double SettingValue(const TCalcSettings& ASettings, TSetting ASetting) {
    switch (ASetting) {
    case stDt:
        return ASettings.dt;
    case stM:
        return ASettings.M;
    case stC:
        return ASettings.C;
    case stN:
        return ASettings.N;
    case stK:
        return ASettings.K;
    case stWindow:
        return ASettings.Window;
    }
    return 0;
}

void SetSettingValue(TCalcSettings& ASettings, TSetting ASetting, double AValue) {
    switch (ASetting) {
    case stDt:
        ASettings.dt = AValue;
        break;
    case stM:
        ASettings.M = static_cast<int>(AValue);
        break;
    case stC:
        ASettings.C = AValue;
        break;
    case stN:
        ASettings.N = static_cast<int>(AValue);
        break;
    case stK:
        ASettings.K = static_cast<int>(AValue);
        break;
    case stWindow:
        ASettings.Window = WindowKindFromOrdinal(static_cast<int>(AValue));
        break;
    }
}

bool LimitSetting(TCalcSettings& ASettings, TSetting ASetting) {
    const TCalcSettings Before = ASettings;
    switch (ASetting) {
    case stDt:
        ASettings.dt = LimitDt(ASettings.dt);
        return ASettings.dt != Before.dt;
    case stM:
        ASettings.M = LimitM(ASettings.M);
        break;
    case stN:
        ASettings.N = LimitN(ASettings.N);
        break;
    case stK:
        ASettings.K = LimitK(ASettings.K, ASettings.N);
        break;
    case stC:
    case stWindow:
        break;
    }
    return ASettings.M != Before.M || ASettings.N != Before.N || ASettings.K != Before.K;
}

QString SettingText(const TCalcSettings& ASettings, TSetting ASetting,
                    const TFormatSettings& AFormat) {
    switch (ASetting) {
    case stDt:
    case stC:
        return FormatFloat(FloatFormat, SettingValue(ASettings, ASetting), AFormat);
    case stM:
    case stN:
    case stK:
        return QString::number(static_cast<int>(SettingValue(ASettings, ASetting)));
    case stWindow: {
        const int Window = ASettings.Window;
        return IsWindowKind(Window) ? WindowKindNames[Window] : QString::number(Window);
    }
    }
    return {};
}
