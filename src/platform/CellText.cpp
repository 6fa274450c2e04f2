// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/CellText.h"

#include <QPainter>
#include <QRect>

void DrawCellText(QPainter& ACanvas, const QRect& ARect, const QString& AText,
                  bool ACentreHorizontally) {
    const int Flags = Qt::TextSingleLine | Qt::AlignVCenter |
                      (ACentreHorizontally ? Qt::AlignHCenter : Qt::AlignLeft);
    ACanvas.save();
    ACanvas.setClipRect(ARect, Qt::IntersectClip);
    ACanvas.setBackgroundMode(Qt::TransparentMode);
    // A centred text that does not fit would lose both ends; it loses its end instead.
    const QString Text =
        ACentreHorizontally ? ACanvas.fontMetrics().elidedText(AText, Qt::ElideRight, ARect.width())
                            : AText;
    ACanvas.drawText(ARect, Flags, Text);
    ACanvas.restore();
}
