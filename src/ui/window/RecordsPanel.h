// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QAction;
class QPainter;
class QRect;
class TCategoryPanel;
class TCommandGuard;
class TDrawGrid;
class TProject;
class TStatusPanels;
struct TGridDrawState;

// The panel of measured records: a small toolbar with the add and delete commands
// above a grid with one column per record and one row per field. Like the signal
// grid it stores no texts: cells are drawn from the project's records, and gain,
// shift and activity edits go into them at once.
class TRecordsPanel : public QObject {
    Q_OBJECT
public:
    TRecordsPanel(TProject& AProject, TStatusPanels& AStatus, const TCommandGuard& AGuard,
                  TCategoryPanel& AParent, QAction& AAdd, QAction& ADelete);
    ~TRecordsPanel() override;

    TDrawGrid& Grid() const { return *dgRecords; }

    // One column per record besides the label column; opens the panel when records
    // arrive while it is folded.
    void ShowRecordColumns();
    void Repaint();
    // The record of the current column, counted from 0; -1 when there is none.
    int CurrentRecord() const;

private:
    void AdjustGridColumns(int AColCount);
    void dgRecordsDrawCell(QPainter& ACanvas, int ACol, int ARow, const QRect& ARect,
                           const TGridDrawState& AState);
    void dgRecordsSelectCell(int ACol, int ARow, bool& CanSelect);
    void dgRecordsGetEditText(int ACol, int ARow, QString& Value);
    void dgRecordsSetEditText(int ACol, int ARow, const QString& Value);
    void dgRecordsMouseMove(int X, int Y);

    TProject& FProject;
    TStatusPanels& FStatus;
    const TCommandGuard& FGuard;
    TCategoryPanel& FParent;
    TDrawGrid* dgRecords; // owned by the category panel
};
