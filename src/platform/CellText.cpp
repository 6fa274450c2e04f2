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
    ACanvas.drawText(ARect, Flags, AText);
    ACanvas.restore();
}
