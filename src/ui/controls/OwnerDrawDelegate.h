// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStyledItemDelegate>

#include <functional>

// Draws every row of a virtual list through a handler: the list keeps no texts.
class TOwnerDrawDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using TDrawItem = std::function<void(QPainter& ACanvas, int AIndex, const QRect& ARect,
                                         const QStyleOptionViewItem& AState)>;

    TOwnerDrawDelegate(QObject* AParent, TDrawItem ADrawItem)
        : QStyledItemDelegate(AParent), FDrawItem(std::move(ADrawItem)) {}

    void paint(QPainter* APainter, const QStyleOptionViewItem& AOption,
               const QModelIndex& AIndex) const override;
    QSize sizeHint(const QStyleOptionViewItem& AOption, const QModelIndex& AIndex) const override;

private:
    TDrawItem FDrawItem;
};
