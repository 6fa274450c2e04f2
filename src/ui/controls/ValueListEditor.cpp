// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/ValueListEditor.h"

#include "ui/controls/ValueListDelegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

#include <utility>

namespace {
constexpr int KeyColumn = 0;
constexpr int ValueColumn = 1;
} // namespace

TValueListEditor::TValueListEditor(QWidget* AParent) : QTableWidget(0, 2, AParent) {
    setItemDelegateForColumn(ValueColumn, new TValueListDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // The value of the current row is edited in place as soon as the list has the focus.
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setFixedHeight(18);
    // The value column takes exactly what the key column leaves of the visible width.
    horizontalHeader()->setMinimumSectionSize(16);
    horizontalHeader()->setSectionResizeMode(KeyColumn, QHeaderView::Fixed);
    horizontalHeader()->resizeSection(KeyColumn, 80);
    horizontalHeader()->setSectionResizeMode(ValueColumn, QHeaderView::Stretch);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    setMouseTracking(true);
    for (QWidget* Part : {viewport(), horizontalHeader()->viewport()}) {
        Part->setMouseTracking(true);
        Part->installEventFilter(this);
    }
    FFocusConnection = connect(qApp, &QApplication::focusChanged, this,
                               [this](QWidget* AOld, QWidget* ANow) { FocusChanged(AOld, ANow); });
}

TValueListEditor::~TValueListEditor() {
    // Focus moves while the widgets below are destroyed; this list must not hear of it.
    disconnect(FFocusConnection);
}

void TValueListEditor::DetachHandlers() {
    OnValidate = nullptr;
    OnSetEditText = nullptr;
    OnMouseMove = nullptr;
    OnMouseLeave = nullptr;
}

void TValueListEditor::SetTitleCaptions(const QString& AKeyCaption, const QString& AValueCaption) {
    setHorizontalHeaderLabels({AKeyCaption, AValueCaption});
}

void TValueListEditor::ClearRows() {
    setRowCount(0);
    FRows.clear();
    FLastRow = 0;
}

void TValueListEditor::InsertRow(const QString& AKey, const QString& AValue) {
    const int Index = rowCount();
    insertRow(Index);
    auto* Key = new QTableWidgetItem(AKey);
    Key->setFlags(Qt::ItemIsEnabled);
    setItem(Index, KeyColumn, Key);
    setItem(Index, ValueColumn, new QTableWidgetItem(AValue));
    FRows.emplace_back();
    if (Index == 0)
        SetRow(1);
}

int TValueListEditor::RowOfKey(const QString& AKey) const {
    for (int i = 0; i < rowCount(); ++i)
        if (item(i, KeyColumn)->text() == AKey)
            return i + 1;
    return 0;
}

QString TValueListEditor::Keys(int ARow) const {
    const QTableWidgetItem* Key = item(ARow - 1, KeyColumn);
    return Key ? Key->text() : QString();
}

QString TValueListEditor::Values(const QString& AKey) const {
    const int Row = RowOfKey(AKey);
    return Row > 0 ? item(Row - 1, ValueColumn)->text() : QString();
}

void TValueListEditor::SetValues(const QString& AKey, const QString& AValue) {
    const int Row = RowOfKey(AKey);
    if (Row > 0)
        item(Row - 1, ValueColumn)->setText(AValue);
}

void TValueListEditor::SetReadOnly(const QString& AKey, bool AValue) {
    const int Row = RowOfKey(AKey);
    if (Row > 0)
        FRows[Row - 1].ReadOnly = AValue;
}

bool TValueListEditor::ReadOnly(int ARow) const {
    return ARow >= 1 && ARow <= static_cast<int>(FRows.size()) && FRows[ARow - 1].ReadOnly;
}

void TValueListEditor::SetPickList(const QString& AKey, const QStringList& AItems) {
    const int Row = RowOfKey(AKey);
    if (Row > 0)
        FRows[Row - 1].PickList = AItems;
}

QStringList TValueListEditor::PickList(int ARow) const {
    if (ARow < 1 || ARow > static_cast<int>(FRows.size()))
        return {};
    return FRows[ARow - 1].PickList;
}

int TValueListEditor::ItemIndex(const QString& AKey) const {
    const int Row = RowOfKey(AKey);
    return Row > 0 ? FRows[Row - 1].ItemIndex : -1;
}

void TValueListEditor::SetItemIndex(const QString& AKey, int AIndex) {
    const int Row = RowOfKey(AKey);
    if (Row > 0)
        FRows[Row - 1].ItemIndex = AIndex;
}

int TValueListEditor::Row() const {
    const QModelIndex Current = currentIndex();
    return Current.isValid() ? Current.row() + 1 : 0;
}

void TValueListEditor::SetRow(int ARow) {
    setCurrentCell(ARow - 1, ValueColumn);
}

bool TValueListEditor::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    const QPoint Pos(X, Y);
    const QWidget* Title = horizontalHeader();
    ACol = -1;
    ARow = -1;
    if (Title->isVisible() && Title->geometry().contains(Pos)) {
        ACol = horizontalHeader()->logicalIndexAt(X - Title->x());
        ARow = 0;
        return ACol >= 0;
    }
    if (!viewport()->geometry().contains(Pos))
        return false;
    const QModelIndex Index = indexAt(Pos - viewport()->pos());
    if (!Index.isValid())
        return false;
    ACol = Index.column();
    ARow = Index.row() + 1;
    return true;
}

void TValueListEditor::EditTextChanged(int ARow, const QString& AValue) {
    if (ARow < 1 || ARow > rowCount())
        return;
    // The row holds the text being typed, so a validation called from outside sees it.
    item(ARow - 1, ValueColumn)->setText(AValue);
    FRows[ARow - 1].Modified = true;
    if (OnSetEditText)
        OnSetEditText(this, ValueColumn, ARow, AValue);
}

void TValueListEditor::PickListItemChosen(int ARow, int AIndex) {
    if (ARow < 1 || ARow > rowCount())
        return;
    TRowProps& Props = FRows[ARow - 1];
    if (AIndex < 0 || AIndex >= Props.PickList.size())
        return;
    Props.ItemIndex = AIndex;
    Props.Modified = true;
    item(ARow - 1, ValueColumn)->setText(Props.PickList[AIndex]);
    if (OnSetEditText)
        OnSetEditText(this, ValueColumn, ARow, Props.PickList[AIndex]);
}

void TValueListEditor::ValidateRow(int ARow) {
    if (ARow < 1 || ARow > rowCount() || !FRows[ARow - 1].Modified)
        return;
    FRows[ARow - 1].Modified = false;
    if (OnValidate)
        OnValidate(this, ValueColumn, ARow, Keys(ARow), item(ARow - 1, ValueColumn)->text());
}

void TValueListEditor::currentChanged(const QModelIndex& ACurrent, const QModelIndex& APrevious) {
    QTableWidget::currentChanged(ACurrent, APrevious);
    // The keys are fixed: moving onto a key means its value.
    if (ACurrent.isValid() && ACurrent.column() == KeyColumn) {
        setCurrentIndex(model()->index(ACurrent.row(), ValueColumn));
        return;
    }
    const int NewRow = ACurrent.isValid() ? ACurrent.row() + 1 : 0;
    if (NewRow == FLastRow)
        return;
    const int OldRow = std::exchange(FLastRow, NewRow);
    ValidateRow(OldRow);
}

void TValueListEditor::mousePressEvent(QMouseEvent* AEvent) {
    const QModelIndex Index = indexAt(AEvent->position().toPoint());
    if (Index.isValid() && Index.column() == KeyColumn) {
        setFocus(Qt::MouseFocusReason);
        setCurrentIndex(model()->index(Index.row(), ValueColumn));
        AEvent->accept();
        return;
    }
    QTableWidget::mousePressEvent(AEvent);
}

QModelIndex TValueListEditor::moveCursor(CursorAction ACursorAction,
                                         Qt::KeyboardModifiers AModifiers) {
    const QModelIndex Proposed = QTableWidget::moveCursor(ACursorAction, AModifiers);
    if (!Proposed.isValid())
        return Proposed;
    return model()->index(Proposed.row(), ValueColumn);
}

// The two columns always fit the width; only rows scroll.
void TValueListEditor::scrollTo(const QModelIndex& AIndex, ScrollHint AHint) {
    QTableWidget::scrollTo(AIndex, AHint);
    horizontalScrollBar()->setValue(0);
}

void TValueListEditor::focusInEvent(QFocusEvent* AEvent) {
    QTableWidget::focusInEvent(AEvent);
    if (currentIndex().isValid() && state() != EditingState)
        edit(currentIndex());
}

bool TValueListEditor::IsOwnWidget(const QWidget* AWidget) const {
    return AWidget && (AWidget == this || isAncestorOf(AWidget));
}

void TValueListEditor::FocusChanged(QWidget* AOld, QWidget* ANow) {
    // Leaving means the focus going to another control of the same window; popups and
    // other windows (a message box, the drop-down of the pick list) do not count.
    if (!IsOwnWidget(AOld) || !ANow || IsOwnWidget(ANow) || ANow->window() != window())
        return;
    ValidateRow(Row());
}

void TValueListEditor::leaveEvent(QEvent* AEvent) {
    QTableWidget::leaveEvent(AEvent);
    if (OnMouseLeave)
        OnMouseLeave();
}

bool TValueListEditor::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AEvent->type() == QEvent::MouseMove && OnMouseMove) {
        if (auto* Part = qobject_cast<QWidget*>(AObject)) {
            auto* Mouse = static_cast<QMouseEvent*>(AEvent);
            const QPoint Pos = Part->mapTo(this, Mouse->position().toPoint());
            OnMouseMove(Mouse->modifiers(), Pos.x(), Pos.y());
        }
    }
    return QTableWidget::eventFilter(AObject, AEvent);
}

// The meta-object code of the class, compiled with this source.
#include "moc_ValueListEditor.cpp"
