// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Drawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPalette>

void FillGradient(QPainter& ACanvas, const QRect& ARect, const QColor& AStartColor,
                  const QColor& AEndColor, int ADirection) {
    if (ARect.isEmpty())
        return;
    // The blend spans the rectangle's outer edges, as the pixels' left and right sides.
    const QRectF Area(ARect);
    QLinearGradient Gradient(Area.topLeft(), ADirection == GradientLeftToRight ? Area.topRight()
                                                                               : Area.bottomLeft());
    Gradient.setColorAt(0, AStartColor);
    Gradient.setColorAt(1, AEndColor);
    ACanvas.fillRect(ARect, Gradient);
}

void DrawEtchedBottomEdge(QPainter& ACanvas, const QRect& ARect, const QPalette& APalette) {
    if (ARect.height() < 2 || ARect.width() < 1)
        return;
    ACanvas.save();
    ACanvas.setRenderHint(QPainter::Antialiasing, false);
    const int Bottom = ARect.bottom();
    ACanvas.fillRect(QRect(ARect.left(), Bottom - 1, ARect.width(), 1),
                     APalette.color(QPalette::Dark));
    ACanvas.fillRect(QRect(ARect.left(), Bottom, ARect.width(), 1),
                     APalette.color(QPalette::Light));
    ACanvas.restore();
}
