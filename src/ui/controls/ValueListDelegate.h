// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStyledItemDelegate>

class TValueListEditor;

// The in-place editor of a TValueListEditor's value column: a line editor whose every
// change goes to the list at once, or a drop-down for a row with a pick list. The
// drop-down changes only by a choice from its list: Up and Down move between rows as
// in every other row, Alt+Down or F4 open the list.
class TValueListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TValueListDelegate(TValueListEditor* AList);

    QWidget* createEditor(QWidget* AParent, const QStyleOptionViewItem& AOption,
                          const QModelIndex& AIndex) const override;
    void setEditorData(QWidget* AEditor, const QModelIndex& AIndex) const override;
    void setModelData(QWidget* AEditor, QAbstractItemModel* AModel,
                      const QModelIndex& AIndex) const override;

protected:
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    TValueListEditor* FList;
};
