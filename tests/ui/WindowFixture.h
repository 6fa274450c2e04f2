// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ScriptedPlatform.h"
#include "ui/controls/DrawGrid.h"
#include "ui/controls/ValueListEditor.h"
#include "ui/window/UfrmMain.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

#include <memory>

// The child of AParent named AName; a test cannot go on without it.
template <typename T> T& Child(const QWidget& AParent, const char* AName) {
    T* Found = AParent.findChild<T*>(QLatin1String(AName));
    if (!Found)
        qFatal("no child %s", AName);
    return *Found;
}

// A shown, active main window answering its dialogs from a script.
struct TWindowFixture {
    TScriptedPlatform Platform;
    std::unique_ptr<TfrmMain> Window;

    // View choices the window remembers go to a test location, not the user's.
    TWindowFixture()
        : Window((QStandardPaths::setTestModeEnabled(true), std::make_unique<TfrmMain>(Platform))) {
        Window->show();
        QApplication::setActiveWindow(Window.get());
        [[maybe_unused]] const bool Active = QTest::qWaitForWindowActive(Window.get());
    }

    template <typename T> T& Find(const char* AName) const { return Child<T>(*Window, AName); }
    TDrawGrid& Grid() const { return Find<TDrawGrid>("dgSignalsParams"); }
    const TCalcSettings& CalcSettings() const { return Window->Project().CalcSettings; }
    TValueListEditor& CmnParams() const { return Find<TValueListEditor>("vleCmnParams"); }
    TValueListEditor& DftParams() const { return Find<TValueListEditor>("vleDftParams"); }
};

inline void Trigger(const TWindowFixture& F, const char* AAction) {
    F.Find<QAction>(AAction).trigger();
}

// The centre of a grid cell in the viewport, where clicks on it land.
inline QPoint GridCellCentre(const TDrawGrid& AGrid, int ACol, int ARow) {
    return AGrid.visualRect(AGrid.model()->index(ARow - 1, ACol - 1)).center();
}

inline void ClickGridCell(TDrawGrid& AGrid, int ACol, int ARow) {
    QTest::mouseClick(AGrid.viewport(), Qt::LeftButton, {}, GridCellCentre(AGrid, ACol, ARow));
}

// Types each character into whatever has the focus at that moment, as a keyboard does.
inline void TypeText(const QString& AText) {
    for (const QChar Char : AText)
        QTest::keyClick(QApplication::focusWidget(), Char.toLatin1());
}

// Item views finish an edit on Enter through the event queue, so the queue is run.
inline void PressKey(Qt::Key AKey, Qt::KeyboardModifiers AModifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), AKey, AModifiers);
    QCoreApplication::processEvents();
}

// Makes a settings row current, replaces its text by typing and leaves the row
// with an arrow key, as a user would.
inline void EnterSetting(TValueListEditor& AEditor, const QString& AKey, const QString& AText) {
    const int Row = AEditor.RowOfKey(AKey);
    const QModelIndex Value = AEditor.model()->index(Row - 1, 1);
    QTest::mouseClick(AEditor.viewport(), Qt::LeftButton, {}, AEditor.visualRect(Value).center());
    auto* Line = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!Line)
        qFatal("no line editor on row %d", Row);
    Line->selectAll();
    QTest::keyClick(Line, Qt::Key_Delete);
    TypeText(AText);
    PressKey(Row < AEditor.rowCount() ? Qt::Key_Down : Qt::Key_Up);
}
