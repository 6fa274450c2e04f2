// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/SignalTypes.h"

const std::array<QString, SignalParamCount> SignalParamNames = {
    QStringLiteral("начальная амплитуда"), QStringLiteral("начальная скорость"),
    QStringLiteral("частота свободных колебаний"), QStringLiteral("коэффициент затухания"),
    QStringLiteral("фаза")};

const std::array<QString, ChangeOperationCount> ChangeOperationNames = {
    QStringLiteral("умножить на"), QStringLiteral("добавить"), QStringLiteral("установить")};

const std::array<QString, WindowKindCount> WindowKindNames = {
    QStringLiteral("wkNone"), QStringLiteral("wkHamming"), QStringLiteral("wkGaussian"),
    QStringLiteral("wkBlackman"), QStringLiteral("wkBartlett")};

bool IsWindowKind(int AOrdinal) {
    return AOrdinal >= 0 && AOrdinal < WindowKindCount;
}
