// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/SignalGridRows.h"

#include "model/Signal.h"
#include "model/SignalTypes.h"
#include "util/NumberFormat.h"
#include "util/qorUtils.h"

#include <array>
#include <cmath>

namespace {

// A derived value beyond the range, which the recalculation refused, shows as nothing.
QString DerivedText(double AValue, const TFormatSettings& AFormat) {
    return std::isfinite(AValue) ? FormatFloat(FloatFormat, AValue, AFormat) : QString();
}

bool DerivedInRange(const TSignal& ASignal) {
    return std::isfinite(ASignal.W()) && std::isfinite(ASignal.Wd()) &&
           std::isfinite(ASignal.A()) && std::isfinite(ASignal.Fi());
}

} // namespace

QString SignalColumnTitle(int ASignalIndex) {
    return QStringLiteral("Сигнал %1").arg(ASignalIndex);
}

QString SignalGridRowLabel(int ARow) {
    static const std::array<const char*, SignalGridRowCount> Labels = {
        "Параметр", "Active", "A", "V", "F", "W", "D", "Fd", "Wd", "Am", "Fi", "Formula"};
    return ARow >= 0 && ARow < SignalGridRowCount ? QString::fromUtf8(Labels[ARow]) : QString();
}

QString SignalGridRowDescription(int ARow) {
    switch (ARow) {
    case grActive:
        return QStringLiteral("активен");
    case grAmplitude:
        return SignalParamNames[spAmplitude];
    case grVelocity:
        return SignalParamNames[spVelocity];
    case grFrequency:
        return SignalParamNames[spFrequency];
    case grW:
        return QStringLiteral("круговая частота свободных колебаний");
    case grDF:
        return SignalParamNames[spDampingFactor];
    case grFd:
        return QStringLiteral("частота затухающих колебаний");
    case grWd:
        return QStringLiteral("круговая частота затухающих колебаний");
    case grA:
        return QStringLiteral("амплитуда");
    case grFi:
        return SignalParamNames[spPhase];
    case grFormula:
        return QStringLiteral("формула");
    default:
        return {};
    }
}

bool IsDerivedGridRow(int ARow) {
    return ARow == grW || ARow == grFd || ARow == grWd || ARow == grA || ARow == grFormula;
}

bool IsSelectableGridRow(int ARow) {
    return IsInputGridRow(ARow) || ARow == grFormula;
}

bool IsInputGridRow(int ARow) {
    return ARow == grAmplitude || ARow == grVelocity || ARow == grFrequency || ARow == grDF ||
           ARow == grFi;
}

QString SignalGridCellText(const TSignal& ASignal, int ARow, const TFormatSettings& AFormat) {
    switch (ARow) {
    case grActive:
        return BoolToYesNo(ASignal.Active());
    case grW:
        return DerivedText(ASignal.W(), AFormat);
    case grFd:
        return DerivedText(ASignal.Fd(), AFormat);
    case grWd:
        return DerivedText(ASignal.Wd(), AFormat);
    case grA:
        return DerivedText(ASignal.A(), AFormat);
    case grFormula:
        return DerivedInRange(ASignal) ? ASignal.Formula() : QString();
    default:
        if (IsInputGridRow(ARow))
            return FormatFloat(FloatFormat, SignalGridInput(ASignal, ARow), AFormat);
        return {};
    }
}

double SignalGridInput(const TSignal& ASignal, int ARow) {
    switch (ARow) {
    case grAmplitude:
        return ASignal.Amplitude();
    case grVelocity:
        return ASignal.Velocity();
    case grFrequency:
        return ASignal.Frequency();
    case grDF:
        return ASignal.DF();
    case grFi:
        return ASignal.Fi();
    default:
        return 0;
    }
}

void SetSignalGridInput(TSignal& ASignal, int ARow, double AValue) {
    switch (ARow) {
    case grAmplitude:
        ASignal.SetAmplitude(AValue);
        break;
    case grVelocity:
        ASignal.SetVelocity(AValue);
        break;
    case grFrequency:
        ASignal.SetFrequency(AValue);
        break;
    case grDF:
        ASignal.SetDF(AValue);
        break;
    case grFi:
        ASignal.SetFi(AValue);
        break;
    default:
        break;
    }
}
