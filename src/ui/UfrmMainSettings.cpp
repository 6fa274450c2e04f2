// The calculation settings and their two key/value editors.
#include "ui/UfrmMain.h"

#include "ui/DrawGrid.h"
#include "ui/ValueListEditor.h"
#include "util/NumberFormat.h"
#include "util/TextConvert.h"

TCalcSettings CalcSettings;

namespace {

const QString IntFormat = QStringLiteral("%d");

QString FormatInt(const QString& AFmt, int AValue) {
    return QString(AFmt).replace(QLatin1String("%d"), QString::number(AValue));
}

QString ParamsRowDescription(const TValueListEditor& AEditor, int X, int Y,
                             const std::array<const char*, 3>& ADescriptions) {
    int Col = -1;
    int Row = -1;
    if (!AEditor.MouseToCell(X, Y, Col, Row) || Row < 1 || Row > 3)
        return {};
    return QString::fromUtf8(ADescriptions[Row - 1]);
}

} // namespace

void TfrmMain::InitParamEditors() {
    vleCmnParams->ClearRows();
    vleCmnParams->InsertRow(QStringLiteral("dt"), {});
    vleCmnParams->InsertRow(QStringLiteral("M"), {});
    vleCmnParams->InsertRow(QStringLiteral("C"), {});
    vleDftParams->ClearRows();
    vleDftParams->InsertRow(QStringLiteral("N"), {});
    vleDftParams->InsertRow(QStringLiteral("K"), {});
    vleDftParams->InsertRow(QStringLiteral("Window"), {});
    vleDftParams->SetReadOnly(QStringLiteral("Window"), true);
    // Items in ordinal order, so an item's index is its window's ordinal.
    QStringList Windows;
    for (const QString& Name : WindowKindNames)
        Windows << Name;
    vleDftParams->SetPickList(QStringLiteral("Window"), Windows);
}

void TfrmMain::ShowSettings(bool ATakeOverEditing) {
    dgSignalsParams->SetColCount(FSignals->Count() + 1);
    AdjustGridColumns();
    if (ATakeOverEditing)
        ValidateEditedSettings();
    vleCmnParams->SetValues(QStringLiteral("dt"), FormatFloat(FloatFormat, CalcSettings.dt));
    vleCmnParams->SetValues(QStringLiteral("M"), FormatInt(IntFormat, CalcSettings.M));
    vleCmnParams->SetValues(QStringLiteral("C"), FormatFloat(FloatFormat, CalcSettings.C));
    vleDftParams->SetValues(QStringLiteral("N"), FormatInt(IntFormat, CalcSettings.N));
    vleDftParams->SetValues(QStringLiteral("K"), FormatInt(IntFormat, CalcSettings.K));
    const int Window = CalcSettings.Window;
    vleDftParams->SetValues(QStringLiteral("Window"), IsWindowKind(Window)
                                                          ? WindowKindNames[Window]
                                                          : QString::number(Window));
    vleDftParams->SetItemIndex(QStringLiteral("Window"), IsWindowKind(Window) ? Window : -1);
}

void TfrmMain::ValidateEditedSettings() {
    vleCmnParamsValidate(nullptr, 1, vleCmnParams->Row(), {}, {});
    vleDftParamsValidate(nullptr, 1, vleDftParams->Row(), {}, {});
}

double TfrmMain::ReadFloatSetting(TValueListEditor& Editor, const QString& Key, double Default) {
    const double Result = TextToFloatDef(Editor.Values(Key), Default);
    Editor.SetValues(Key, FormatFloat(FloatFormat, Result));
    return Result;
}

int TfrmMain::ReadIntSetting(TValueListEditor& Editor, const QString& Key, int Default,
                             const QString& Fmt) {
    int Result = Default;
    if (!TryTextToInt(Editor.Values(Key), Result))
        Result = Default;
    Editor.SetValues(Key, FormatInt(Fmt, Result));
    return Result;
}

void TfrmMain::vleCmnParamsValidate(QObject* /*Sender*/, int /*ACol*/, int ARow,
                                    const QString& /*KeyName*/, const QString& /*KeyValue*/) {
    TValueListEditor& Editor = *vleCmnParams;
    switch (ARow) {
    case 1:
        CalcSettings.dt = ReadFloatSetting(Editor, QStringLiteral("dt"), CalcSettings.dt);
        if (const double Limited = LimitDt(CalcSettings.dt); Limited != CalcSettings.dt) {
            CalcSettings.dt = Limited;
            Editor.SetValues(QStringLiteral("dt"), FormatFloat(FloatFormat, CalcSettings.dt));
        }
        break;
    case 2:
        CalcSettings.M = ReadIntSetting(Editor, QStringLiteral("M"), CalcSettings.M, IntFormat);
        if (const int Limited = LimitM(CalcSettings.M); Limited != CalcSettings.M) {
            CalcSettings.M = Limited;
            Editor.SetValues(QStringLiteral("M"), FormatInt(IntFormat, CalcSettings.M));
        }
        break;
    case 3:
        CalcSettings.C = ReadFloatSetting(Editor, QStringLiteral("C"), CalcSettings.C);
        break;
    default:
        break;
    }
}

void TfrmMain::vleDftParamsValidate(QObject* /*Sender*/, int /*ACol*/, int ARow,
                                    const QString& /*KeyName*/, const QString& /*KeyValue*/) {
    TValueListEditor& Editor = *vleDftParams;
    switch (ARow) {
    case 1:
        CalcSettings.N = ReadIntSetting(Editor, QStringLiteral("N"), CalcSettings.N, IntFormat);
        if (const int Limited = LimitN(CalcSettings.N); Limited != CalcSettings.N) {
            CalcSettings.N = Limited;
            Editor.SetValues(QStringLiteral("N"), FormatInt(IntFormat, CalcSettings.N));
        }
        break;
    case 2: {
        CalcSettings.K = ReadIntSetting(Editor, QStringLiteral("K"), CalcSettings.K, IntFormat);
        // Checked against N as it is now; validating N never re-checks K.
        const int Limited = LimitK(CalcSettings.K, CalcSettings.N);
        if (Limited != CalcSettings.K) {
            CalcSettings.K = Limited;
            Editor.SetValues(QStringLiteral("K"), FormatInt(IntFormat, CalcSettings.K));
        }
        break;
    }
    case 3: {
        const int Item = Editor.ItemIndex(QStringLiteral("Window"));
        if (Item >= 0) {
            CalcSettings.Window = WindowKindFromOrdinal(Item);
            Editor.SetValues(QStringLiteral("Window"), WindowKindNames[CalcSettings.Window]);
        }
        break;
    }
    default:
        break;
    }
}

void TfrmMain::vleDftParamsSetEditText(QObject* /*Sender*/, int /*ACol*/, int ARow,
                                       const QString& /*Value*/) {
    // A chosen window function takes effect without leaving the row.
    if (ARow != 3)
        return;
    const int Item = vleDftParams->ItemIndex(QStringLiteral("Window"));
    if (Item >= 0)
        CalcSettings.Window = WindowKindFromOrdinal(Item);
}

void TfrmMain::vleCmnParamsMouseMove(QObject* /*Sender*/, Qt::KeyboardModifiers /*Shift*/, int X,
                                     int Y) {
    SetStatusPanelText(2,
                       ParamsRowDescription(*vleCmnParams, X, Y,
                                            {"период дискретизации", "количество отсчетов сигнала",
                                             "постоянная составляющая"}));
}

void TfrmMain::vleDftParamsMouseMove(QObject* /*Sender*/, Qt::KeyboardModifiers /*Shift*/, int X,
                                     int Y) {
    SetStatusPanelText(
        2, ParamsRowDescription(
               *vleDftParams, X, Y,
               {"размер ДПФ", "количество отсчетов в спектре; K <= (N div 2)", "оконная функция"}));
}

void TfrmMain::vleParamsMouseLeave(QObject* /*Sender*/) {
    SetStatusPanelText(2, {});
}
