// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "util/FormatSettings.h"

#include <QLocale>

// The two locales every number test is pinned to.
inline TFormatSettings DotLocale() {
    return TFormatSettings{QLatin1Char('.'), QLatin1Char(',')};
}
inline TFormatSettings RussianLocale() {
    return TFormatSettings::FromLocale(QLocale(QLocale::Russian, QLocale::Russia));
}
