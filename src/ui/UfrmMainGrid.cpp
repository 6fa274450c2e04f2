// The signal grid: one column per signal, one row per parameter.
#include "ui/UfrmMain.h"

#include "platform/CellText.h"
#include "ui/DrawGrid.h"
#include "ui/SignalGridRows.h"
#include "util/TextConvert.h"

#include <QPainter>

namespace {
const QColor DerivedRowColor(255, 251, 240);
constexpr int TextMargin = 2;

void SetBold(QPainter& ACanvas, bool ABold) {
    QFont Font = ACanvas.font();
    Font.setBold(ABold);
    ACanvas.setFont(Font);
}
} // namespace

void TfrmMain::dgSignalsParamsDrawCell(QPainter& ACanvas, int ACol, int ARow, const QRect& ARect,
                                       const TGridDrawState& AState) {
    const QRect TextRect = ARect.adjusted(TextMargin, TextMargin, -TextMargin, -TextMargin);
    if (ACol == 0) {
        SetBold(ACanvas, ARow == grHeader);
        DrawCellText(ACanvas, TextRect, SignalGridRowLabel(ARow), true);
        return;
    }
    if (FSignals->Count() == 0)
        return;
    // The cream fill goes over the grid's own, so even a current formula cell is cream.
    if (ARow != grHeader)
        ACanvas.fillRect(ARect, IsDerivedGridRow(ARow) ? DerivedRowColor : AState.Background);
    const TSignal& Signal = FSignals->Signals(ACol - 1);
    if (ARow == grHeader) {
        SetBold(ACanvas, true);
        DrawCellText(ACanvas, TextRect, QString::asprintf("Сигнал %d", ACol - 1), true);
    } else {
        SetBold(ACanvas, false);
        DrawCellText(ACanvas, TextRect,
                     SignalGridCellText(Signal, ARow, TFormatSettings::Default()), false);
    }
}

void TfrmMain::dgSignalsParamsSelectCell(QObject* /*Sender*/, int ACol, int ARow, bool& CanSelect) {
    if (ACol < 1)
        return;
    CanSelect = IsSelectableGridRow(ARow);
    // Every try to enter the Active row switches the signal on or off instead.
    if (ARow == grActive) {
        TSignal& Signal = FSignals->Signals(ACol - 1);
        Signal.SetActive(!Signal.Active());
        dgSignalsParams->viewport()->update();
    }
}

void TfrmMain::dgSignalsParamsGetEditText(QObject* /*Sender*/, int ACol, int ARow, QString& Value) {
    if (ACol < 1 || (!IsInputGridRow(ARow) && ARow != grFormula))
        return;
    Value = SignalGridCellText(FSignals->Signals(ACol - 1), ARow, TFormatSettings::Default());
}

void TfrmMain::dgSignalsParamsSetEditText(QObject* /*Sender*/, int ACol, int ARow,
                                          const QString& Value) {
    if (ACol < 1 || (!IsInputGridRow(ARow) && ARow != grFormula))
        return;
    TSignal& Signal = FSignals->Signals(ACol - 1);
    // The property follows the typing; a text that does not convert keeps the value.
    if (IsInputGridRow(ARow))
        SetSignalGridInput(Signal, ARow, TextToFloatDef(Value, SignalGridInput(Signal, ARow)));
    dgSignalsParams->viewport()->update();
}

void TfrmMain::dgSignalsParamsMouseMove(QObject* /*Sender*/, Qt::KeyboardModifiers /*Shift*/, int X,
                                        int Y) {
    int Col = -1;
    int Row = -1;
    const bool OnCell = dgSignalsParams->MouseToCell(X, Y, Col, Row);
    SetStatusPanelText(2, OnCell && Row >= 1 ? SignalGridRowDescription(Row) : QString());
}

void TfrmMain::dgSignalsParamsMouseLeave(QObject* /*Sender*/) {
    SetStatusPanelText(2, {});
}
