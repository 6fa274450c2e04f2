// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/DrawGrid.h"

#include "ui/controls/DrawGridDelegate.h"
#include "ui/controls/DrawGridModel.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

int FittedColumnWidth(int AColCount, int AClientWidth, int ALineWidth, int AMinWidth) {
    if (AColCount <= 0)
        return AMinWidth;
    const int Total = (AColCount - 1) * ALineWidth + AColCount * AMinWidth;
    if (Total < AClientWidth)
        return (AClientWidth - Total) / AColCount + AMinWidth;
    return AMinWidth;
}

void SetBold(QPainter& ACanvas, bool ABold) {
    QFont Font = ACanvas.font();
    Font.setBold(ABold);
    ACanvas.setFont(Font);
}

TDrawGrid::TDrawGrid(QWidget* AParent) : QTableView(AParent), FModel(new TDrawGridModel(this)) {
    setHorizontalHeader(new TDrawGridHeader(Qt::Horizontal, this));
    setVerticalHeader(new TDrawGridHeader(Qt::Vertical, this));
    setModel(FModel);
    setItemDelegate(new TDrawGridDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // A click on the current cell starts editing at once (mouseReleaseEvent) rather than
    // after the double-click interval, which would collide with keys typed meanwhile.
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setMinimumSectionSize(4);
    verticalHeader()->setSectionsClickable(false);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(4);

    setCornerButtonEnabled(false);
    FCorner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);

    setMouseTracking(true);
    // Headers get their mouse through their own viewports.
    for (QWidget* Part : {viewport(), horizontalHeader()->viewport(), verticalHeader()->viewport(),
                          static_cast<QWidget*>(FCorner)}) {
        if (!Part)
            continue;
        Part->setMouseTracking(true);
        Part->installEventFilter(this);
    }
    SetDefaultRowHeight(FDefaultRowHeight);
    SetDefaultColWidth(FDefaultColWidth);
}

TDrawGrid::~TDrawGrid() = default;

int TDrawGrid::ColCount() const {
    return FModel->columnCount() + 1;
}

void TDrawGrid::SetColCount(int AValue) {
    FModel->SetColumns(AValue - 1);
    for (int i = 0; i < FModel->columnCount(); ++i)
        if (horizontalHeader()->sectionSize(i) == 0)
            horizontalHeader()->resizeSection(i, FDefaultColWidth);
    viewport()->update();
}

int TDrawGrid::RowCount() const {
    return FModel->rowCount() + 1;
}

void TDrawGrid::SetRowCount(int AValue) {
    FModel->SetRows(AValue - 1);
    viewport()->update();
}

void TDrawGrid::SetDefaultColWidth(int AValue) {
    FDefaultColWidth = AValue;
    verticalHeader()->setFixedWidth(AValue);
    horizontalHeader()->setDefaultSectionSize(AValue);
    for (int i = 0; i < horizontalHeader()->count(); ++i)
        horizontalHeader()->resizeSection(i, AValue);
}

int TDrawGrid::ColWidths(int ACol) const {
    if (ACol == 0)
        return verticalHeader()->width();
    return horizontalHeader()->sectionSize(ACol - 1);
}

void TDrawGrid::SetDefaultRowHeight(int AValue) {
    FDefaultRowHeight = AValue;
    horizontalHeader()->setFixedHeight(AValue);
    verticalHeader()->setDefaultSectionSize(AValue);
}

// Measured from the viewport's right edge, which does not move with the label
// column's width while the viewport catches up with it.
int TDrawGrid::ClientWidth() const {
    return viewport()->geometry().right() + 1 - contentsRect().left();
}

int TDrawGrid::Col() const {
    const QModelIndex Current = currentIndex();
    return Current.isValid() ? Current.column() + 1 : 0;
}

int TDrawGrid::Row() const {
    const QModelIndex Current = currentIndex();
    return Current.isValid() ? Current.row() + 1 : 0;
}

void TDrawGrid::SetCurrentCell(int ACol, int ARow) {
    const QModelIndex Index = FModel->index(ARow - 1, ACol - 1);
    if (!Index.isValid())
        return;
    selectionModel()->setCurrentIndex(Index, QItemSelectionModel::ClearAndSelect);
    viewport()->repaint();
}

bool TDrawGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    const QPoint Pos(X, Y);
    ACol = -1;
    ARow = -1;
    const QWidget* Top = horizontalHeader();
    const QWidget* Left = verticalHeader();
    if (viewport()->geometry().contains(Pos)) {
        const QModelIndex Index = indexAt(Pos - viewport()->pos());
        if (!Index.isValid())
            return false;
        ACol = Index.column() + 1;
        ARow = Index.row() + 1;
        return true;
    }
    if (Top->isVisible() && Top->geometry().contains(Pos)) {
        const int Section = horizontalHeader()->logicalIndexAt(X - Top->x());
        if (Section < 0)
            return false;
        ACol = Section + 1;
        ARow = 0;
        return true;
    }
    if (Left->isVisible() && Left->geometry().contains(Pos)) {
        const int Section = verticalHeader()->logicalIndexAt(Y - Left->y());
        if (Section < 0)
            return false;
        ACol = 0;
        ARow = Section + 1;
        return true;
    }
    if (FCorner && FCorner->isVisible() && FCorner->geometry().contains(Pos)) {
        ACol = 0;
        ARow = 0;
        return true;
    }
    return false;
}

QRect TDrawGrid::CellRect(int ACol, int ARow) const {
    const QWidget* Top = horizontalHeader();
    const QWidget* Left = verticalHeader();
    if (ACol == 0 && ARow == 0)
        return FCorner ? FCorner->geometry() : QRect();
    if (ARow == 0) {
        const int X = horizontalHeader()->sectionViewportPosition(ACol - 1);
        return QRect(Top->x() + X, Top->y(), horizontalHeader()->sectionSize(ACol - 1),
                     Top->height());
    }
    if (ACol == 0) {
        const int Y = verticalHeader()->sectionViewportPosition(ARow - 1);
        return QRect(Left->x(), Left->y() + Y, Left->width(),
                     verticalHeader()->sectionSize(ARow - 1));
    }
    return visualRect(FModel->index(ARow - 1, ACol - 1)).translated(viewport()->pos());
}

QColor TDrawGrid::FixedColor() const {
    return palette().color(QPalette::Button);
}

void TDrawGrid::PaintCell(QPainter& ACanvas, const QRect& ARect, int ACol, int ARow) {
    TGridDrawState State;
    State.Selected = ACol == Col() && ARow == Row();
    State.Focused = State.Selected && hasFocus();
    // The current cell keeps the selection colour when the grid loses the focus.
    State.Background = State.Selected ? palette().color(QPalette::Active, QPalette::Highlight)
                                      : palette().color(QPalette::Base);
    ACanvas.fillRect(ARect, State.Background);
    if (OnDrawCell) {
        ACanvas.save();
        ACanvas.setPen(palette().color(QPalette::WindowText));
        ACanvas.setFont(font());
        OnDrawCell(ACanvas, ACol, ARow, ARect, State);
        ACanvas.restore();
    }
    if (State.Focused) {
        ACanvas.save();
        ACanvas.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        ACanvas.drawRect(ARect.adjusted(0, 0, -1, -1));
        ACanvas.restore();
    }
}

void TDrawGrid::PaintFixedCell(QPainter& ACanvas, const QRect& ASection, int ACol, int ARow) {
    // Like the cells inside, a section ends with its grid line.
    const QRect Cell = ASection.adjusted(0, 0, -GridLineWidth(), -GridLineWidth());
    TGridDrawState State;
    State.Fixed = true;
    State.Background = FixedColor();
    ACanvas.fillRect(ASection, State.Background);
    ACanvas.save();
    ACanvas.setPen(palette().color(QPalette::Mid));
    ACanvas.drawLine(ASection.topRight(), ASection.bottomRight());
    ACanvas.drawLine(ASection.bottomLeft(), ASection.bottomRight());
    ACanvas.restore();
    if (OnDrawCell) {
        ACanvas.save();
        ACanvas.setPen(palette().color(QPalette::WindowText));
        ACanvas.setFont(font());
        OnDrawCell(ACanvas, ACol, ARow, Cell, State);
        ACanvas.restore();
    }
}

void TDrawGrid::DetachHandlers() {
    OnDrawCell = nullptr;
    OnSelectCell = nullptr;
    OnGetEditText = nullptr;
    OnSetEditText = nullptr;
    OnMouseMove = nullptr;
    OnMouseLeave = nullptr;
    OnClientResize = nullptr;
}

QString TDrawGrid::EditText(int ACol, int ARow) const {
    QString Value;
    if (OnGetEditText)
        OnGetEditText(ACol, ARow, Value);
    return Value;
}

void TDrawGrid::EditTextChanged(int ACol, int ARow, const QString& AValue) {
    if (OnSetEditText)
        OnSetEditText(ACol, ARow, AValue);
}

bool TDrawGrid::CanSelect(const QModelIndex& AIndex) {
    bool Result = true;
    if (OnSelectCell)
        OnSelectCell(AIndex.column() + 1, AIndex.row() + 1, Result);
    return Result;
}

QModelIndex TDrawGrid::moveCursor(CursorAction ACursorAction, Qt::KeyboardModifiers AModifiers) {
    const QModelIndex Current = currentIndex();
    const QModelIndex Proposed = QTableView::moveCursor(ACursorAction, AModifiers);
    if (!Proposed.isValid() || Proposed == Current)
        return Proposed;
    // A refused cell stops the move in front of it rather than being skipped.
    if (CanSelect(Proposed))
        return Proposed;
    // Home and End still show the cell they aimed at, so that Ctrl+Home brings the
    // first column back into view even where the first cell may not become current.
    if (ACursorAction == MoveHome || ACursorAction == MoveEnd)
        scrollTo(Proposed);
    return Current;
}

bool TDrawGrid::edit(const QModelIndex& AIndex, EditTrigger ATrigger, QEvent* AEvent) {
    // Only the current cell is ever edited, so a refused cell never is.
    if (AIndex != currentIndex())
        return false;
    return QTableView::edit(AIndex, ATrigger, AEvent);
}

void TDrawGrid::mousePressEvent(QMouseEvent* AEvent) {
    const QModelIndex Index = indexAt(AEvent->position().toPoint());
    FDragAsked = Index;
    FPressedCurrent = Index.isValid() && Index == currentIndex() ? Index : QModelIndex();
    if (AEvent->button() != Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        AEvent->accept();
        return;
    }
    if (Index.isValid() && Index != currentIndex() && !CanSelect(Index)) {
        setFocus(Qt::MouseFocusReason);
        AEvent->accept();
        return;
    }
    QTableView::mousePressEvent(AEvent);
}

void TDrawGrid::mouseMoveEvent(QMouseEvent* AEvent) {
    if (!(AEvent->buttons() & Qt::LeftButton) || state() == EditingState) {
        QTableView::mouseMoveEvent(AEvent);
        return;
    }
    const QModelIndex Index = indexAt(AEvent->position().toPoint());
    if (Index.isValid() && Index != currentIndex() && Index != FDragAsked) {
        FDragAsked = Index;
        if (CanSelect(Index))
            SetCurrentCell(Index.column() + 1, Index.row() + 1);
    }
    AEvent->accept();
}

void TDrawGrid::mouseReleaseEvent(QMouseEvent* AEvent) {
    QTableView::mouseReleaseEvent(AEvent);
    const QModelIndex Index = indexAt(AEvent->position().toPoint());
    if (AEvent->button() == Qt::LeftButton && Index.isValid() && Index == FPressedCurrent &&
        state() != EditingState)
        edit(Index);
    FPressedCurrent = QModelIndex();
}

void TDrawGrid::mouseDoubleClickEvent(QMouseEvent* AEvent) {
    // The second press of a double click is a press like any other: on another cell it
    // asks to move there (and so toggles an Active cell once more).
    if (indexAt(AEvent->position().toPoint()) != currentIndex()) {
        mousePressEvent(AEvent);
        return;
    }
    QTableView::mouseDoubleClickEvent(AEvent);
}

void TDrawGrid::leaveEvent(QEvent* AEvent) {
    QTableView::leaveEvent(AEvent);
    if (OnMouseLeave)
        OnMouseLeave();
}

void TDrawGrid::ReportMouseMove(QWidget* ASource, QMouseEvent* AEvent) {
    if (!OnMouseMove)
        return;
    const QPoint Pos = ASource->mapTo(this, AEvent->position().toPoint());
    OnMouseMove(AEvent->modifiers(), Pos.x(), Pos.y());
}

void TDrawGrid::PaintCorner(QWidget* ACorner) {
    QPainter Canvas(ACorner);
    PaintFixedCell(Canvas, ACorner->rect(), 0, 0);
}

bool TDrawGrid::eventFilter(QObject* AObject, QEvent* AEvent) {
    auto* Part = qobject_cast<QWidget*>(AObject);
    if (Part && AEvent->type() == QEvent::MouseMove)
        ReportMouseMove(Part, static_cast<QMouseEvent*>(AEvent));
    if (Part && Part == FCorner && AEvent->type() == QEvent::Paint) {
        PaintCorner(Part);
        return true;
    }
    if (Part == viewport() && AEvent->type() == QEvent::Resize && OnClientResize)
        OnClientResize();
    return QTableView::eventFilter(AObject, AEvent);
}

TDrawGridHeader::TDrawGridHeader(Qt::Orientation AOrientation, TDrawGrid* AGrid)
    : QHeaderView(AOrientation, AGrid), FGrid(AGrid) {}

void TDrawGridHeader::paintSection(QPainter* APainter, const QRect& ARect,
                                   int ALogicalIndex) const {
    if (orientation() == Qt::Horizontal)
        FGrid->PaintFixedCell(*APainter, ARect, ALogicalIndex + 1, 0);
    else
        FGrid->PaintFixedCell(*APainter, ARect, 0, ALogicalIndex + 1);
}

// The meta-object code of the class, compiled with this source.
#include "moc_DrawGrid.cpp"
