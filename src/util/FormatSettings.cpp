// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/FormatSettings.h"

#include <QLocale>

TFormatSettings TFormatSettings::FromLocale(const QLocale& ALocale) {
    TFormatSettings Result;
    const QString Decimal = ALocale.decimalPoint();
    const QString Group = ALocale.groupSeparator();
    if (Decimal.size() == 1)
        Result.DecimalSeparator = Decimal.at(0);
    if (Group.size() == 1)
        Result.ThousandSeparator = Group.at(0);
    return Result;
}

TFormatSettings TFormatSettings::Default() {
    return FromLocale(QLocale());
}
