// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/SignalGridPanel.h"

#include "model/Project.h"
#include "model/SignalGridRows.h"
#include "platform/CellText.h"
#include "ui/controls/DrawGrid.h"
#include "ui/window/CommandGuard.h"
#include "ui/window/StatusPanels.h"
#include "util/TextConvert.h"

#include <QPainter>

#include <algorithm>

namespace {

const QColor DerivedRowColor(255, 251, 240);
constexpr int SignalRowHeight = 20;

// Columns are at least 72 wide, and wide enough for the header of the last signal,
// the longest, so that four-digit signal numbers are not cut to "Сигнал 99…".
int MinGridColumnWidth(const TDrawGrid& AGrid, int ASignalCount) {
    QFont Bold = AGrid.font();
    Bold.setBold(true);
    const int Header =
        QFontMetrics(Bold).horizontalAdvance(SignalColumnTitle(std::max(ASignalCount - 1, 0)));
    return std::max(MinDataColumnWidth, Header + 2 * CellTextMargin + AGrid.GridLineWidth());
}

} // namespace

TSignalGridPanel::TSignalGridPanel(TProject& AProject, TStatusPanels& AStatus,
                                   const TCommandGuard& AGuard, QWidget* AParent)
    : FProject(AProject), FStatus(AStatus), FGuard(AGuard),
      dgSignalsParams(new TDrawGrid(AParent)) {
    TDrawGrid& Grid = *dgSignalsParams;
    Grid.setObjectName(QStringLiteral("dgSignalsParams"));
    Grid.SetRowCount(SignalGridRowCount);
    // One signal column from the start, so the first cell can be made current at once.
    Grid.SetColCount(2);
    Grid.SetDefaultRowHeight(SignalRowHeight);

    Grid.OnDrawCell = [this](QPainter& ACanvas, int ACol, int ARow, const QRect& ARect,
                             const TGridDrawState& AState) {
        FGuard.RunLater([&] { dgSignalsParamsDrawCell(ACanvas, ACol, ARow, ARect, AState); });
    };
    Grid.OnSelectCell = [this](int ACol, int ARow, bool& CanSelect) {
        if (!FGuard.Run([&] { dgSignalsParamsSelectCell(ACol, ARow, CanSelect); }))
            CanSelect = false;
    };
    Grid.OnGetEditText = [this](int ACol, int ARow, QString& Value) {
        FGuard.Run([&] { dgSignalsParamsGetEditText(ACol, ARow, Value); });
    };
    Grid.OnSetEditText = [this](int ACol, int ARow, const QString& Value) {
        FGuard.Run([&] { dgSignalsParamsSetEditText(ACol, ARow, Value); });
    };
    Grid.OnMouseMove = [this](Qt::KeyboardModifiers, int X, int Y) {
        FGuard.Run([&] { dgSignalsParamsMouseMove(X, Y); });
    };
    Grid.OnMouseLeave = [this] { FGuard.Run([this] { dgSignalsParamsMouseLeave(); }); };
    // The client width settles only after the grid's own geometry has.
    Grid.OnClientResize = [this] { FGuard.Run([this] { AdjustGridColumns(); }); };
}

TSignalGridPanel::~TSignalGridPanel() {
    // The grid outlives the panel by a moment and may still report focus and mouse changes.
    dgSignalsParams->DetachHandlers();
}

void TSignalGridPanel::ShowSignalColumns() {
    dgSignalsParams->SetColCount(FProject.Signals().Count() + 1);
    AdjustGridColumns();
}

void TSignalGridPanel::AdjustGridColumns() {
    TDrawGrid& Grid = *dgSignalsParams;
    Grid.SetDefaultColWidth(
        FittedColumnWidth(Grid.ColCount(), Grid.ClientWidth(), Grid.GridLineWidth(),
                          MinGridColumnWidth(Grid, FProject.Signals().Count())));
}

void TSignalGridPanel::SelectGridCell(TDrawGrid& Grid, int ACol, int ARow) {
    Grid.SetCurrentCell(ACol, ARow);
}

void TSignalGridPanel::Repaint() {
    dgSignalsParams->viewport()->update();
}

void TSignalGridPanel::InsertSignal() {
    const int Col = dgSignalsParams->Col();
    FProject.Signals().Insert(Col <= 0 ? 0 : Col - 1, std::make_unique<TSignal>());
    ShowSignalColumns();
}

void TSignalGridPanel::DeleteSignal() {
    const int Col = dgSignalsParams->Col();
    TSignals& Signals = FProject.Signals();
    if (Col > 0 && Signals.Count() > 1) {
        Signals.Delete(Col - 1);
        ShowSignalColumns();
    }
}

void TSignalGridPanel::dgSignalsParamsDrawCell(QPainter& ACanvas, int ACol, int ARow,
                                               const QRect& ARect, const TGridDrawState& AState) {
    const QRect TextRect =
        ARect.adjusted(CellTextMargin, CellTextMargin, -CellTextMargin, -CellTextMargin);
    if (ACol == 0) {
        SetBold(ACanvas, ARow == grHeader);
        DrawCellText(ACanvas, TextRect, SignalGridRowLabel(ARow), true);
        return;
    }
    const TSignals& Signals = FProject.Signals();
    if (Signals.Count() == 0)
        return;
    // The cream fill goes over the grid's own, so even a current formula cell is cream.
    if (ARow != grHeader)
        ACanvas.fillRect(ARect, IsDerivedGridRow(ARow) ? DerivedRowColor : AState.Background);
    if (ARow == grHeader) {
        SetBold(ACanvas, true);
        DrawCellText(ACanvas, TextRect, SignalColumnTitle(ACol - 1), true);
    } else {
        SetBold(ACanvas, false);
        DrawCellText(ACanvas, TextRect, SignalGridCellText(Signals[ACol - 1], ARow), false);
    }
}

void TSignalGridPanel::dgSignalsParamsSelectCell(int ACol, int ARow, bool& CanSelect) {
    if (ACol < 1)
        return;
    CanSelect = IsSelectableGridRow(ARow);
    // Every try to enter the Active row switches the signal on or off instead.
    if (ARow == grActive) {
        TSignal& Signal = FProject.Signals()[ACol - 1];
        Signal.SetActive(!Signal.Active());
        Repaint();
    }
}

void TSignalGridPanel::dgSignalsParamsGetEditText(int ACol, int ARow, QString& Value) {
    if (ACol < 1 || !IsSelectableGridRow(ARow))
        return;
    Value = SignalGridCellText(FProject.Signals()[ACol - 1], ARow);
}

void TSignalGridPanel::dgSignalsParamsSetEditText(int ACol, int ARow, const QString& Value) {
    if (ACol < 1 || !IsSelectableGridRow(ARow))
        return;
    TSignal& Signal = FProject.Signals()[ACol - 1];
    // The property follows the typing; a text that does not convert keeps the value.
    if (IsInputGridRow(ARow))
        SetSignalGridInput(Signal, ARow, TextToFloatDef(Value, SignalGridInput(Signal, ARow)));
    Repaint();
}

void TSignalGridPanel::dgSignalsParamsMouseMove(int X, int Y) {
    int Col = -1;
    int Row = -1;
    const bool OnCell = dgSignalsParams->MouseToCell(X, Y, Col, Row);
    FStatus.SetText(2, OnCell && Row >= 1 ? SignalGridRowDescription(Row) : QString());
}

void TSignalGridPanel::dgSignalsParamsMouseLeave() {
    FStatus.SetText(2, {});
}

// The meta-object code of the class, compiled with this source.
#include "moc_SignalGridPanel.cpp"
