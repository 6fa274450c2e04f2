// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStyledItemDelegate>

class TDrawGrid;

// Paints the cells of a TDrawGrid through the grid and runs its in-place line editor:
// the starting text comes from the grid, every change goes back to it at once, and
// the final text goes once more when editing ends.
class TDrawGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TDrawGridDelegate(TDrawGrid* AGrid);

    void paint(QPainter* APainter, const QStyleOptionViewItem& AOption,
               const QModelIndex& AIndex) const override;
    QWidget* createEditor(QWidget* AParent, const QStyleOptionViewItem& AOption,
                          const QModelIndex& AIndex) const override;
    void setEditorData(QWidget* AEditor, const QModelIndex& AIndex) const override;
    void setModelData(QWidget* AEditor, QAbstractItemModel* AModel,
                      const QModelIndex& AIndex) const override;
    void updateEditorGeometry(QWidget* AEditor, const QStyleOptionViewItem& AOption,
                              const QModelIndex& AIndex) const override;

private:
    TDrawGrid* FGrid;
};
