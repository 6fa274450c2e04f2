// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/ValueListDelegate.h"

#include "ui/controls/PickListBox.h"
#include "ui/controls/ValueListEditor.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

TValueListDelegate::TValueListDelegate(TValueListEditor* AList)
    : QStyledItemDelegate(AList), FList(AList) {}

QWidget* TValueListDelegate::createEditor(QWidget* AParent, const QStyleOptionViewItem& /*AOption*/,
                                          const QModelIndex& AIndex) const {
    const int Row = AIndex.row() + 1;
    const QStringList Items = FList->PickList(Row);
    if (!Items.isEmpty()) {
        auto* Editor = new TPickListBox(AParent);
        Editor->setEditable(!FList->ReadOnly(Row));
        Editor->addItems(Items);
        connect(Editor, &QComboBox::activated, FList,
                [List = FList, Row](int AItem) { List->PickListItemChosen(Row, AItem); });
        return Editor;
    }
    if (FList->ReadOnly(Row))
        return nullptr;
    auto* Editor = new QLineEdit(AParent);
    Editor->setFrame(false);
    connect(Editor, &QLineEdit::textEdited, FList,
            [List = FList, Row](const QString& AText) { List->EditTextChanged(Row, AText); });
    return Editor;
}

void TValueListDelegate::setEditorData(QWidget* AEditor, const QModelIndex& AIndex) const {
    const QString Text = AIndex.data(Qt::EditRole).toString();
    if (auto* Line = qobject_cast<QLineEdit*>(AEditor)) {
        // Rewriting an unchanged text would throw the caret to the end while the user types.
        if (Line->text() != Text)
            Line->setText(Text);
    } else if (auto* Combo = qobject_cast<QComboBox*>(AEditor)) {
        const QSignalBlocker Blocker(Combo);
        Combo->setCurrentIndex(Combo->findText(Text));
    }
}

// The list already holds every change as it was made.
void TValueListDelegate::setModelData(QWidget* /*AEditor*/, QAbstractItemModel* /*AModel*/,
                                      const QModelIndex& /*AIndex*/) const {}

bool TValueListDelegate::eventFilter(QObject* AObject, QEvent* AEvent) {
    // Only keys and the wheel are looked at: asking a fresh drop-down for its list
    // creates the list, which the drop-down hears of here again.
    const bool Key = AEvent->type() == QEvent::KeyPress;
    if (!Key && AEvent->type() != QEvent::Wheel)
        return QStyledItemDelegate::eventFilter(AObject, AEvent);
    auto* Combo = qobject_cast<QComboBox*>(AObject);
    if (!Combo || Combo->view()->isVisible())
        return QStyledItemDelegate::eventFilter(AObject, AEvent);
    if (!Key) {
        // Scrolling over the row scrolls what is around it, never the choice.
        QCoreApplication::sendEvent(FList->viewport(), AEvent);
        return true;
    }
    const auto* Press = static_cast<QKeyEvent*>(AEvent);
    const bool RowKey = Press->key() == Qt::Key_Up || Press->key() == Qt::Key_Down ||
                        Press->key() == Qt::Key_PageUp || Press->key() == Qt::Key_PageDown;
    if (RowKey && !(Press->modifiers() & Qt::AltModifier)) {
        QCoreApplication::sendEvent(FList, AEvent);
        return true;
    }
    return QStyledItemDelegate::eventFilter(AObject, AEvent);
}

// The meta-object code of the class, compiled with this source.
#include "moc_ValueListDelegate.cpp"
