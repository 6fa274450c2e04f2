#include "ui/controls/OwnerDrawDelegate.h"

#include <QPainter>

void TOwnerDrawDelegate::paint(QPainter* APainter, const QStyleOptionViewItem& AOption,
                               const QModelIndex& AIndex) const {
    APainter->save();
    FDrawItem(*APainter, AIndex.row(), AOption.rect, AOption);
    APainter->restore();
}

QSize TOwnerDrawDelegate::sizeHint(const QStyleOptionViewItem& AOption,
                                   const QModelIndex& /*AIndex*/) const {
    return QSize(AOption.rect.width(), AOption.fontMetrics.height() + 2);
}
