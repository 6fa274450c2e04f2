// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QPainter;
class QRect;

// One line of text in a rectangle, vertically centred and clipped to the rectangle,
// over whatever is already painted there, in the painter's font and pen. A centred text
// too wide for the rectangle is elided at its end.
void DrawCellText(QPainter& ACanvas, const QRect& ARect, const QString& AText,
                  bool ACentreHorizontally);
