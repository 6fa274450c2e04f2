// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QHeaderView>
#include <QModelIndex>
#include <QTableView>

#include <functional>

class QPainter;
class TDrawGridModel;

// A cell's text keeps this far from its lines; a data column is at least this wide.
inline constexpr int CellTextMargin = 2;
inline constexpr int MinDataColumnWidth = 72;

// What the grid tells a cell painter about the cell.
struct TGridDrawState {
    bool Fixed = false;
    bool Selected = false; // the current cell
    bool Focused = false;  // the current cell while the grid has the focus
    QColor Background;     // the colour the grid has already filled the cell with
};

// The column width that fits n equal columns (label column included) into a client
// width, with grid lines of ALineWidth between them: at least AMinWidth each.
int FittedColumnWidth(int AColCount, int AClientWidth, int ALineWidth, int AMinWidth);

// Sets or clears the bold weight of the canvas's font.
void SetBold(QPainter& ACanvas, bool ABold);

// An owner-drawn grid with one fixed header row and one fixed label column. It stores
// no cell texts: every cell is painted by OnDrawCell, in-place editing asks OnGetEditText
// for the starting text and reports every change through OnSetEditText, and every move
// of the current cell (click, arrow key, drag) is first put to OnSelectCell.
// Columns and rows are numbered as the user sees them: 0 is the fixed one.
class TDrawGrid : public QTableView {
    Q_OBJECT
public:
    using TDrawCellEvent = std::function<void(QPainter& ACanvas, int ACol, int ARow,
                                              const QRect& ARect, const TGridDrawState& AState)>;
    using TSelectCellEvent = std::function<void(int ACol, int ARow, bool& CanSelect)>;
    using TGetEditTextEvent = std::function<void(int ACol, int ARow, QString& Value)>;
    using TSetEditTextEvent = std::function<void(int ACol, int ARow, const QString& Value)>;
    using TMouseMoveEvent = std::function<void(Qt::KeyboardModifiers AShift, int X, int Y)>;
    using TNotifyEvent = std::function<void()>;

    explicit TDrawGrid(QWidget* AParent);
    ~TDrawGrid() override;

    int ColCount() const;
    void SetColCount(int AValue);
    int RowCount() const;
    void SetRowCount(int AValue);
    // Setting it gives every column this width, the label column included, and
    // drops widths the user dragged.
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int AValue);
    int ColWidths(int ACol) const;
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int AValue);
    int GridLineWidth() const { return 1; }
    // The width inside the frame and the vertical scroll bar, label column included.
    int ClientWidth() const;

    int Col() const;
    int Row() const;
    // Makes (ACol, ARow) the current cell without asking OnSelectCell.
    void SetCurrentCell(int ACol, int ARow);
    // The cell under a point in the grid's own coordinates; false when there is none.
    bool MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    // A cell's rectangle in the grid's own coordinates.
    QRect CellRect(int ACol, int ARow) const;
    QColor FixedColor() const;

    // Used by the grid's own parts (delegate and headers).
    void PaintCell(QPainter& ACanvas, const QRect& ARect, int ACol, int ARow);
    void PaintFixedCell(QPainter& ACanvas, const QRect& ASection, int ACol, int ARow);
    QString EditText(int ACol, int ARow) const;
    void EditTextChanged(int ACol, int ARow, const QString& AValue);

    // Forgets every handler, for an owner that goes before the grid does.
    void DetachHandlers();

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TGetEditTextEvent OnGetEditText;
    TSetEditTextEvent OnSetEditText;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseLeave;
    // The client area changed size.
    TNotifyEvent OnClientResize;

protected:
    QModelIndex moveCursor(CursorAction ACursorAction, Qt::KeyboardModifiers AModifiers) override;
    using QTableView::edit;
    bool edit(const QModelIndex& AIndex, EditTrigger ATrigger, QEvent* AEvent) override;
    void mousePressEvent(QMouseEvent* AEvent) override;
    void mouseMoveEvent(QMouseEvent* AEvent) override;
    void mouseReleaseEvent(QMouseEvent* AEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* AEvent) override;
    void leaveEvent(QEvent* AEvent) override;
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    bool CanSelect(const QModelIndex& AIndex);
    void ReportMouseMove(QWidget* ASource, QMouseEvent* AEvent);
    void PaintCorner(QWidget* ACorner);

    TDrawGridModel* FModel; // owned as a Qt child
    QWidget* FCorner = nullptr;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    // The cell last asked about during one mouse drag, so a drag asks once per cell.
    QPersistentModelIndex FDragAsked;
    // The cell a left press landed on when it was already the current one.
    QPersistentModelIndex FPressedCurrent;
};

// Paints the fixed row or the fixed column of a TDrawGrid.
class TDrawGridHeader : public QHeaderView {
    Q_OBJECT
public:
    TDrawGridHeader(Qt::Orientation AOrientation, TDrawGrid* AGrid);

protected:
    void paintSection(QPainter* APainter, const QRect& ARect, int ALogicalIndex) const override;

private:
    TDrawGrid* FGrid;
};
