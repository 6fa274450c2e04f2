// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/SettingsRows.h"

#include <QObject>

class TCategoryPanel;
class TCommandGuard;
class TProject;
class TStatusPanels;
class TValueListEditor;

// The two key/value editors of the calculation settings: "dt", "M" and "C" in
// vleCmnParams, "N", "K" and "Window" in vleDftParams. A row's text becomes its
// setting when the row is validated: when the user leaves it, or when a command takes
// over what is being typed.
class TSettingsPanel : public QObject {
    Q_OBJECT
public:
    TSettingsPanel(TProject& AProject, TStatusPanels& AStatus, const TCommandGuard& AGuard,
                   TCategoryPanel& ACmnParent, TCategoryPanel& ADftParent);
    ~TSettingsPanel() override;

    // The editors get their keys and the window pick list, with empty values.
    void InitParamEditors();
    // Writes every setting into its row, taking over the current rows first when
    // ATakeOverEditing; otherwise what was being typed is dropped.
    void ShowSettings(bool ATakeOverEditing);
    // Validates the current row of each editor, as if the user had left it.
    void ValidateEditedSettings();

private:
    double ReadFloatSetting(TValueListEditor& Editor, const QString& Key, double Default);
    int ReadIntSetting(TValueListEditor& Editor, const QString& Key, int Default,
                       const QString& Fmt);
    // Reads the row of a typed setting, keeps it within its limit and writes it back.
    void ReadSetting(TValueListEditor& AEditor, TSetting ASetting);
    void vleCmnParamsValidate(int ARow);
    void vleDftParamsValidate(int ARow);
    void vleDftParamsSetEditText(int ARow);
    void vleCmnParamsMouseMove(int X, int Y);
    void vleDftParamsMouseMove(int X, int Y);
    void vleParamsMouseLeave();
    // The description of the row under (X, Y) in the status bar.
    void ShowRowDescription(const TValueListEditor& AEditor, const std::array<TSetting, 3>& ARows,
                            int X, int Y);
    using THandler = void (TSettingsPanel::*)(int);
    using TMouseHandler = void (TSettingsPanel::*)(int, int);
    void ConnectHandlers(TValueListEditor& AEditor, THandler AValidate, TMouseHandler AMouseMove);

    TProject& FProject;
    TStatusPanels& FStatus;
    const TCommandGuard& FGuard;
    TValueListEditor* vleCmnParams; // owned by the category panels
    TValueListEditor* vleDftParams;
};
