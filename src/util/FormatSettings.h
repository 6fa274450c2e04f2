// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QChar>

class QLocale;

// The two separators that every number text of the program depends on.
// Kept apart from the C library's locale, which QApplication changes.
struct TFormatSettings {
    QChar DecimalSeparator = QLatin1Char('.');
    QChar ThousandSeparator = QLatin1Char(',');

    static TFormatSettings FromLocale(const QLocale& ALocale);
    // The user's locale, or the one a test pinned with QLocale::setDefault.
    static TFormatSettings Default();
};
