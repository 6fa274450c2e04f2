// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

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
    // No width of its own: a row is as wide as the list, so it never scrolls sideways.
    return QSize(0, AOption.fontMetrics.height() + 2);
}

// The meta-object code of the class, compiled with this source.
#include "moc_OwnerDrawDelegate.cpp"
