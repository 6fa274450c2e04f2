#include "ui/controls/ValueListDelegate.h"

#include "ui/controls/ValueListEditor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

TValueListDelegate::TValueListDelegate(TValueListEditor* AList)
    : QStyledItemDelegate(AList), FList(AList) {}

QWidget* TValueListDelegate::createEditor(QWidget* AParent, const QStyleOptionViewItem& /*AOption*/,
                                          const QModelIndex& AIndex) const {
    const int Row = AIndex.row() + 1;
    const QStringList Items = FList->PickList(Row);
    if (!Items.isEmpty()) {
        auto* Editor = new QComboBox(AParent);
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
