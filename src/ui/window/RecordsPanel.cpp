// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/RecordsPanel.h"

#include "model/Project.h"
#include "model/RecordGridRows.h"
#include "platform/CellText.h"
#include "ui/controls/CategoryPanelGroup.h"
#include "ui/controls/DrawGrid.h"
#include "ui/window/CommandGuard.h"
#include "ui/window/StatusPanels.h"
#include "util/TextConvert.h"

#include <QAction>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int RecordRowHeight = 18;
constexpr int ToolBarHeight = 26;
// The title, the toolbar, the header and field rows, the frame and room for the
// horizontal scroll bar that several records bring.
constexpr int PanelHeight = 24 + ToolBarHeight + RecordGridRowCount * RecordRowHeight + 2 + 18;

} // namespace

TRecordsPanel::TRecordsPanel(TProject& AProject, TStatusPanels& AStatus,
                             const TCommandGuard& AGuard, TCategoryPanel& AParent, QAction& AAdd,
                             QAction& ADelete)
    : FProject(AProject), FStatus(AStatus), FGuard(AGuard), FParent(AParent), dgRecords(nullptr) {
    auto* pnlRecords = new QWidget(&AParent); // owned by the category panel
    pnlRecords->setObjectName(QStringLiteral("pnlRecords"));
    auto* tbRecords = new QToolBar(pnlRecords);
    tbRecords->setObjectName(QStringLiteral("tbRecords"));
    tbRecords->setIconSize(QSize(16, 16));
    tbRecords->setFixedHeight(ToolBarHeight);
    tbRecords->setStyleSheet(QStringLiteral("QToolBar { border: none; spacing: 0px; }"));
    for (auto [Action, Name] : {std::pair{&AAdd, "btnAddRecord"}, {&ADelete, "btnDelRecord"}}) {
        auto* Button = new QToolButton(tbRecords); // owned by the toolbar
        Button->setObjectName(QLatin1String(Name));
        Button->setDefaultAction(Action);
        Button->setAutoRaise(true);
        tbRecords->addWidget(Button);
    }

    dgRecords = new TDrawGrid(pnlRecords);
    TDrawGrid& Grid = *dgRecords;
    Grid.setObjectName(QStringLiteral("dgRecords"));
    Grid.SetRowCount(RecordGridRowCount);
    Grid.SetColCount(1);
    Grid.SetDefaultRowHeight(RecordRowHeight);
    Grid.setContextMenuPolicy(Qt::ActionsContextMenu);
    Grid.addActions({&AAdd, &ADelete});
    Grid.OnDrawCell = [this](QPainter& ACanvas, int ACol, int ARow, const QRect& ARect,
                             const TGridDrawState& AState) {
        FGuard.RunLater([&] { dgRecordsDrawCell(ACanvas, ACol, ARow, ARect, AState); });
    };
    Grid.OnSelectCell = [this](int ACol, int ARow, bool& CanSelect) {
        if (!FGuard.Run([&] { dgRecordsSelectCell(ACol, ARow, CanSelect); }))
            CanSelect = false;
    };
    Grid.OnGetEditText = [this](int ACol, int ARow, QString& Value) {
        FGuard.Run([&] { dgRecordsGetEditText(ACol, ARow, Value); });
    };
    Grid.OnSetEditText = [this](int ACol, int ARow, const QString& Value) {
        FGuard.Run([&] { dgRecordsSetEditText(ACol, ARow, Value); });
    };
    Grid.OnMouseMove = [this](Qt::KeyboardModifiers, int X, int Y) {
        FGuard.Run([&] { dgRecordsMouseMove(X, Y); });
    };
    Grid.OnMouseLeave = [this] { FGuard.Run([this] { FStatus.SetText(2, {}); }); };
    Grid.OnClientResize = [this] {
        FGuard.Run([this] { AdjustGridColumns(dgRecords->ColCount()); });
    };

    auto* Layout = new QVBoxLayout(pnlRecords);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(tbRecords);
    Layout->addWidget(dgRecords, 1);
    AParent.SetContent(pnlRecords);
    AParent.SetExpandedHeight(PanelHeight);
    // Folded until there is something to show.
    AParent.SetCollapsed(true);
}

TRecordsPanel::~TRecordsPanel() {
    dgRecords->DetachHandlers();
}

void TRecordsPanel::ShowRecordColumns() {
    const int Count = FProject.Records().Count();
    // The widths first: the grid lays out its label column when its columns change.
    AdjustGridColumns(Count + 1);
    dgRecords->SetColCount(Count + 1);
    if (Count > 0 && FParent.Collapsed())
        FParent.SetCollapsed(false);
    if (Count > 0 && dgRecords->Col() < 1)
        dgRecords->SetCurrentCell(1, rrGain);
    Repaint();
}

void TRecordsPanel::Repaint() {
    dgRecords->viewport()->update();
}

int TRecordsPanel::CurrentRecord() const {
    const int Col = dgRecords->Col();
    return Col >= 1 && Col <= FProject.Records().Count() ? Col - 1 : -1;
}

void TRecordsPanel::AdjustGridColumns(int AColCount) {
    TDrawGrid& Grid = *dgRecords;
    Grid.SetDefaultColWidth(
        FittedColumnWidth(AColCount, Grid.ClientWidth(), Grid.GridLineWidth(), MinDataColumnWidth));
}

void TRecordsPanel::dgRecordsDrawCell(QPainter& ACanvas, int ACol, int ARow, const QRect& ARect,
                                      const TGridDrawState& AState) {
    const QRect TextRect =
        ARect.adjusted(CellTextMargin, CellTextMargin, -CellTextMargin, -CellTextMargin);
    if (ACol == 0) {
        SetBold(ACanvas, ARow == rrHeader);
        DrawCellText(ACanvas, TextRect, RecordGridRowLabel(ARow), true);
        return;
    }
    const TRecords& Records = FProject.Records();
    if (ACol > Records.Count())
        return;
    const TRecord& Record = Records[ACol - 1];
    if (ARow == rrHeader) {
        SetBold(ACanvas, true);
        DrawCellText(ACanvas, TextRect, RecordColumnTitle(ACol - 1), true);
        return;
    }
    SetBold(ACanvas, false);
    // A record whose file could not be read is greyed out.
    if (Record.Missing() && !AState.Selected)
        ACanvas.setPen(dgRecords->palette().color(QPalette::Disabled, QPalette::Text));
    const QString Text = RecordGridCellText(Record, ARow);
    DrawCellText(ACanvas, TextRect,
                 ACanvas.fontMetrics().elidedText(Text, Qt::ElideRight, TextRect.width()), false);
}

void TRecordsPanel::dgRecordsSelectCell(int ACol, int ARow, bool& CanSelect) {
    if (ACol < 1 || ACol > FProject.Records().Count())
        return;
    CanSelect = IsRecordInputRow(ARow);
    // As in the signal grid, every try to enter the Active row switches the record.
    if (ARow == rrActive) {
        TRecord& Record = FProject.Records()[ACol - 1];
        Record.SetActive(!Record.Active());
        Repaint();
    }
}

void TRecordsPanel::dgRecordsGetEditText(int ACol, int ARow, QString& Value) {
    if (ACol < 1 || ACol > FProject.Records().Count() || !IsRecordInputRow(ARow))
        return;
    Value = RecordGridCellText(FProject.Records()[ACol - 1], ARow);
}

void TRecordsPanel::dgRecordsSetEditText(int ACol, int ARow, const QString& Value) {
    if (ACol < 1 || ACol > FProject.Records().Count() || !IsRecordInputRow(ARow))
        return;
    TRecord& Record = FProject.Records()[ACol - 1];
    // The field follows the typing; a text that does not convert keeps the value.
    SetRecordGridInput(Record, ARow, TextToFloatDef(Value, RecordGridInput(Record, ARow)));
    Repaint();
}

void TRecordsPanel::dgRecordsMouseMove(int X, int Y) {
    int Col = -1;
    int Row = -1;
    if (!dgRecords->MouseToCell(X, Y, Col, Row) || Row < 1) {
        FStatus.SetText(2, {});
        return;
    }
    // Over a record's file the full path, which the cell has no room for.
    const bool OnFile = Row == rrFile && Col >= 1 && Col <= FProject.Records().Count();
    FStatus.SetText(2, OnFile ? FProject.Records()[Col - 1].FileName()
                              : RecordGridRowDescription(Row));
}

// The meta-object code of the class, compiled with this source.
#include "moc_RecordsPanel.cpp"
