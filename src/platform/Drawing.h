// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QColor;
class QPainter;
class QPalette;
class QRect;

// Direction of FillGradient that runs the colour from the left edge to the right one;
// any other value runs it from the top edge to the bottom one.
inline constexpr int GradientLeftToRight = 1;

// A two-colour linear blend across ARect: AStartColor on its left (or top) edge,
// AEndColor on its right (or bottom) edge.
void FillGradient(QPainter& ACanvas, const QRect& ARect, const QColor& AStartColor,
                  const QColor& AEndColor, int ADirection);

// An etched horizontal line along the bottom edge of ARect: a shadow line over a
// highlight line, the lower one on ARect's last row.
void DrawEtchedBottomEdge(QPainter& ACanvas, const QRect& ARect, const QPalette& APalette);
