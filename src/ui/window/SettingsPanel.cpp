// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/SettingsPanel.h"

#include "model/Project.h"
#include "ui/controls/CategoryPanelGroup.h"
#include "ui/controls/ValueListEditor.h"
#include "ui/window/CommandGuard.h"
#include "ui/window/StatusPanels.h"
#include "util/NumberFormat.h"
#include "util/TextConvert.h"

namespace {

const QString IntFormat = QStringLiteral("%d");
constexpr int WindowRow = 3;

QString FormatInt(const QString& AFmt, int AValue) {
    return QString(AFmt).replace(QLatin1String("%d"), QString::number(AValue));
}

TValueListEditor* NewEditor(const char* AName, TCategoryPanel& AParent) {
    auto* Editor = new TValueListEditor(&AParent); // owned by the category panel
    Editor->setObjectName(QLatin1String(AName));
    Editor->SetTitleCaptions(QStringLiteral("Параметр"), QStringLiteral("Значение"));
    AParent.SetContent(Editor);
    return Editor;
}

} // namespace

TSettingsPanel::TSettingsPanel(TProject& AProject, TStatusPanels& AStatus,
                               const TCommandGuard& AGuard, TCategoryPanel& ACmnParent,
                               TCategoryPanel& ADftParent)
    : FProject(AProject), FStatus(AStatus), FGuard(AGuard),
      vleCmnParams(NewEditor("vleCmnParams", ACmnParent)),
      vleDftParams(NewEditor("vleDftParams", ADftParent)) {
    ConnectHandlers(*vleCmnParams, &TSettingsPanel::vleCmnParamsValidate,
                    &TSettingsPanel::vleCmnParamsMouseMove);
    ConnectHandlers(*vleDftParams, &TSettingsPanel::vleDftParamsValidate,
                    &TSettingsPanel::vleDftParamsMouseMove);
    vleDftParams->OnSetEditText = [this](QObject*, int, int ARow, const QString&) {
        FGuard.Run([&] { vleDftParamsSetEditText(ARow); });
    };
}

TSettingsPanel::~TSettingsPanel() {
    // The editors outlive the panel by a moment and may still report focus changes.
    for (TValueListEditor* Editor : {vleCmnParams, vleDftParams})
        Editor->DetachHandlers();
}

void TSettingsPanel::ConnectHandlers(TValueListEditor& AEditor, THandler AValidate,
                                     TMouseHandler AMouseMove) {
    AEditor.OnValidate = [this, AValidate](QObject*, int, int ARow, const QString&,
                                           const QString&) {
        FGuard.Run([&] { (this->*AValidate)(ARow); });
    };
    AEditor.OnMouseMove = [this, AMouseMove](Qt::KeyboardModifiers, int X, int Y) {
        FGuard.Run([&] { (this->*AMouseMove)(X, Y); });
    };
    AEditor.OnMouseLeave = [this] { FGuard.Run([this] { vleParamsMouseLeave(); }); };
}

void TSettingsPanel::InitParamEditors() {
    for (auto [Editor, Settings] : {std::pair{vleCmnParams, &CmnParamsSettings},
                                    std::pair{vleDftParams, &DftParamsSettings}}) {
        Editor->ClearRows();
        for (const TSetting Setting : *Settings)
            Editor->InsertRow(SettingKey(Setting), {});
    }
    const QString Window = SettingKey(stWindow);
    vleDftParams->SetReadOnly(Window, true);
    // Items in ordinal order, so an item's index is its window's ordinal.
    QStringList Windows;
    for (const QString& Name : WindowKindNames)
        Windows << Name;
    vleDftParams->SetPickList(Window, Windows);
}

void TSettingsPanel::ShowSettings(bool ATakeOverEditing) {
    if (ATakeOverEditing)
        ValidateEditedSettings();
    const TCalcSettings& Settings = FProject.CalcSettings;
    for (auto [Editor, Rows] :
         {std::pair{vleCmnParams, &CmnParamsSettings}, std::pair{vleDftParams, &DftParamsSettings}})
        for (const TSetting Setting : *Rows)
            Editor->SetValues(SettingKey(Setting), SettingText(Settings, Setting));
    // A later validation of the Window row keeps the window shown.
    const int Window = Settings.Window;
    vleDftParams->SetItemIndex(SettingKey(stWindow), IsWindowKind(Window) ? Window : -1);
}

void TSettingsPanel::ValidateEditedSettings() {
    vleCmnParamsValidate(vleCmnParams->Row());
    vleDftParamsValidate(vleDftParams->Row());
}

double TSettingsPanel::ReadFloatSetting(TValueListEditor& Editor, const QString& Key,
                                        double Default) {
    const double Result = TextToFloatDef(Editor.Values(Key), Default);
    Editor.SetValues(Key, FormatFloat(FloatFormat, Result));
    return Result;
}

int TSettingsPanel::ReadIntSetting(TValueListEditor& Editor, const QString& Key, int Default,
                                   const QString& Fmt) {
    int Result = Default;
    if (!TryTextToInt(Editor.Values(Key), Result))
        Result = Default;
    Editor.SetValues(Key, FormatInt(Fmt, Result));
    return Result;
}

void TSettingsPanel::ReadSetting(TValueListEditor& AEditor, TSetting ASetting) {
    TCalcSettings& Settings = FProject.CalcSettings;
    const QString Key = SettingKey(ASetting);
    const double Current = SettingValue(Settings, ASetting);
    SetSettingValue(Settings, ASetting,
                    IsIntegerSetting(ASetting)
                        ? ReadIntSetting(AEditor, Key, static_cast<int>(Current), IntFormat)
                        : ReadFloatSetting(AEditor, Key, Current));
    // Checked against the other settings as they are now; validating N never re-checks K.
    if (LimitSetting(Settings, ASetting))
        AEditor.SetValues(Key, SettingText(Settings, ASetting));
}

void TSettingsPanel::vleCmnParamsValidate(int ARow) {
    if (ARow >= 1 && ARow <= static_cast<int>(CmnParamsSettings.size()))
        ReadSetting(*vleCmnParams, CmnParamsSettings[ARow - 1]);
}

void TSettingsPanel::vleDftParamsValidate(int ARow) {
    if (ARow >= 1 && ARow < WindowRow) {
        ReadSetting(*vleDftParams, DftParamsSettings[ARow - 1]);
    } else if (ARow == WindowRow) {
        const QString Key = SettingKey(stWindow);
        if (const int Item = vleDftParams->ItemIndex(Key); Item >= 0) {
            FProject.CalcSettings.Window = WindowKindFromOrdinal(Item);
            vleDftParams->SetValues(Key, SettingText(FProject.CalcSettings, stWindow));
        }
    }
}

void TSettingsPanel::vleDftParamsSetEditText(int ARow) {
    // A chosen window function takes effect without leaving the row.
    if (ARow != WindowRow)
        return;
    if (const int Item = vleDftParams->ItemIndex(SettingKey(stWindow)); Item >= 0)
        FProject.CalcSettings.Window = WindowKindFromOrdinal(Item);
}

void TSettingsPanel::vleCmnParamsMouseMove(int X, int Y) {
    ShowRowDescription(*vleCmnParams, CmnParamsSettings, X, Y);
}

void TSettingsPanel::vleDftParamsMouseMove(int X, int Y) {
    ShowRowDescription(*vleDftParams, DftParamsSettings, X, Y);
}

void TSettingsPanel::ShowRowDescription(const TValueListEditor& AEditor,
                                        const std::array<TSetting, 3>& ARows, int X, int Y) {
    int Col = -1;
    int Row = -1;
    const bool OnRow =
        AEditor.MouseToCell(X, Y, Col, Row) && Row >= 1 && Row <= static_cast<int>(ARows.size());
    FStatus.SetText(2, OnRow ? SettingDescription(ARows[Row - 1]) : QString());
}

void TSettingsPanel::vleParamsMouseLeave() {
    FStatus.SetText(2, {});
}

// The meta-object code of the class, compiled with this source.
#include "moc_SettingsPanel.cpp"
