// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QStringList>

// Makes the Tahoma of the given font files known to the application where they exist
// (by default the metric-compatible clone of Debian's fonts-wine). Returns the
// families that were added.
QStringList LoadProgramFonts(const QStringList& AFiles = {
                                 QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")});

// The window is laid out for Tahoma at 8 points; without it the desktop's sans-serif
// at 8 points stands in.
QFont ProgramFont();
