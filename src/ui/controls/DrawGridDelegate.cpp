// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/DrawGridDelegate.h"

#include "ui/controls/DrawGrid.h"

#include <QLineEdit>
#include <QPainter>

TDrawGridDelegate::TDrawGridDelegate(TDrawGrid* AGrid) : QStyledItemDelegate(AGrid), FGrid(AGrid) {}

void TDrawGridDelegate::paint(QPainter* APainter, const QStyleOptionViewItem& AOption,
                              const QModelIndex& AIndex) const {
    FGrid->PaintCell(*APainter, AOption.rect, AIndex.column() + 1, AIndex.row() + 1);
}

QWidget* TDrawGridDelegate::createEditor(QWidget* AParent, const QStyleOptionViewItem& /*AOption*/,
                                         const QModelIndex& AIndex) const {
    auto* Editor = new QLineEdit(AParent);
    Editor->setFrame(false);
    const int Col = AIndex.column() + 1;
    const int Row = AIndex.row() + 1;
    connect(Editor, &QLineEdit::textEdited, FGrid, [Grid = FGrid, Col, Row](const QString& AText) {
        Grid->EditTextChanged(Col, Row, AText);
    });
    return Editor;
}

void TDrawGridDelegate::setEditorData(QWidget* AEditor, const QModelIndex& AIndex) const {
    auto* Editor = qobject_cast<QLineEdit*>(AEditor);
    const QString Text = FGrid->EditText(AIndex.column() + 1, AIndex.row() + 1);
    // Rewriting an unchanged text would throw the caret to the end while the user types.
    if (Editor && Editor->text() != Text)
        Editor->setText(Text);
}

void TDrawGridDelegate::setModelData(QWidget* AEditor, QAbstractItemModel* /*AModel*/,
                                     const QModelIndex& AIndex) const {
    if (auto* Editor = qobject_cast<QLineEdit*>(AEditor))
        FGrid->EditTextChanged(AIndex.column() + 1, AIndex.row() + 1, Editor->text());
}

void TDrawGridDelegate::updateEditorGeometry(QWidget* AEditor, const QStyleOptionViewItem& AOption,
                                             const QModelIndex& /*AIndex*/) const {
    AEditor->setGeometry(AOption.rect);
}

// The meta-object code of the class, compiled with this source.
#include "moc_DrawGridDelegate.cpp"
