// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QPainter;
class QRect;
class QWidget;
class TCommandGuard;
class TDrawGrid;
class TProject;
class TStatusPanels;
struct TGridDrawState;

// The signal grid: one column per signal, one row per parameter. It stores no texts;
// every cell is drawn from the project's signals and edits go into them at once.
class TSignalGridPanel : public QObject {
    Q_OBJECT
public:
    TSignalGridPanel(TProject& AProject, TStatusPanels& AStatus, const TCommandGuard& AGuard,
                     QWidget* AParent);
    ~TSignalGridPanel() override;

    TDrawGrid& Grid() const { return *dgSignalsParams; }

    // One column per signal besides the label column, fitted to the width.
    void ShowSignalColumns();
    // Fits the column widths to the grid's client width, dropping dragged widths.
    void AdjustGridColumns();
    // Makes the cell current without asking the selection handler, so nothing toggles.
    void SelectGridCell(TDrawGrid& Grid, int ACol, int ARow);
    // Shows the derived values again after the signals changed.
    void Repaint();

    // A new default signal at the current column; the one shown there moves right.
    void InsertSignal();
    // Deletes the signal of the current column while more than one is left.
    void DeleteSignal();

private:
    void dgSignalsParamsDrawCell(QPainter& ACanvas, int ACol, int ARow, const QRect& ARect,
                                 const TGridDrawState& AState);
    void dgSignalsParamsSelectCell(int ACol, int ARow, bool& CanSelect);
    void dgSignalsParamsGetEditText(int ACol, int ARow, QString& Value);
    void dgSignalsParamsSetEditText(int ACol, int ARow, const QString& Value);
    void dgSignalsParamsMouseMove(int X, int Y);
    void dgSignalsParamsMouseLeave();

    TProject& FProject;
    TStatusPanels& FStatus;
    const TCommandGuard& FGuard;
    TDrawGrid* dgSignalsParams; // owned by its parent widget
};
