// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>
#include <QTableWidget>

#include <functional>
#include <vector>

// A two-column key/value list: fixed keys, values edited in place, optional read-only
// rows with a pick list. Rows are numbered from 1 below the title row (row 0).
// A row whose text the user changed is validated (OnValidate) when the user moves to
// another row or leaves the editor.
class TValueListEditor : public QTableWidget {
    Q_OBJECT
public:
    using TValidateEvent = std::function<void(QObject* Sender, int ACol, int ARow,
                                              const QString& KeyName, const QString& KeyValue)>;
    using TSetEditTextEvent =
        std::function<void(QObject* Sender, int ACol, int ARow, const QString& Value)>;
    using TMouseMoveEvent = std::function<void(Qt::KeyboardModifiers AShift, int X, int Y)>;
    using TNotifyEvent = std::function<void()>;

    explicit TValueListEditor(QWidget* AParent);
    ~TValueListEditor() override;

    void SetTitleCaptions(const QString& AKeyCaption, const QString& AValueCaption);
    void ClearRows();
    void InsertRow(const QString& AKey, const QString& AValue);
    int RowOfKey(const QString& AKey) const; // 0 when the key is missing
    QString Keys(int ARow) const;
    QString Values(const QString& AKey) const;
    void SetValues(const QString& AKey, const QString& AValue);

    // A read-only row cannot be typed into; with a pick list it is chosen from it.
    void SetReadOnly(const QString& AKey, bool AValue);
    bool ReadOnly(int ARow) const;
    void SetPickList(const QString& AKey, const QStringList& AItems);
    QStringList PickList(int ARow) const;
    // The pick-list item chosen last in a row, -1 when none.
    int ItemIndex(const QString& AKey) const;
    void SetItemIndex(const QString& AKey, int AIndex);

    int Row() const;
    void SetRow(int ARow);
    bool MouseToCell(int X, int Y, int& ACol, int& ARow) const;

    // Used by the editor's delegate.
    void EditTextChanged(int ARow, const QString& AValue);
    void PickListItemChosen(int ARow, int AIndex);

    // Forgets every handler, for an owner that goes before the list does.
    void DetachHandlers();

    TValidateEvent OnValidate;
    TSetEditTextEvent OnSetEditText;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseLeave;

protected:
    void currentChanged(const QModelIndex& ACurrent, const QModelIndex& APrevious) override;
    QModelIndex moveCursor(CursorAction ACursorAction, Qt::KeyboardModifiers AModifiers) override;
    void focusInEvent(QFocusEvent* AEvent) override;
    void scrollTo(const QModelIndex& AIndex, ScrollHint AHint = EnsureVisible) override;
    void mousePressEvent(QMouseEvent* AEvent) override;
    void leaveEvent(QEvent* AEvent) override;
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    struct TRowProps {
        bool ReadOnly = false;
        QStringList PickList;
        int ItemIndex = -1;
        bool Modified = false;
    };

    void FocusChanged(QWidget* AOld, QWidget* ANow);
    void ValidateRow(int ARow);
    bool IsOwnWidget(const QWidget* AWidget) const;

    std::vector<TRowProps> FRows;
    int FLastRow = 0; // the row validated when the user moves away from it
    QMetaObject::Connection FFocusConnection;
};
