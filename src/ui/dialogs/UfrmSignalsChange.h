// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/SignalTypes.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

// The bulk change dialog: a parameter, an operation and a number for all signals.
// "Отмена" is both the default and the cancel button and has the focus at first, so
// Enter closes without a change; "Ок" closes only with a number the parameter allows.
class TfrmSignalsChange : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSignalsChange(QWidget* AOwner);

    TSignalParams SignalParam() const;
    TChangeOperations ChangeOperation() const;
    // The number of edValue; false when the text is none.
    bool TryValue(double& AValue) const;

public slots:
    void accept() override;

private:
    void FormCreate();
    void FormCloseQuery(bool& CanClose) const;

    QComboBox* cbSignalParams;
    QComboBox* cbChangeOperations;
    QLineEdit* edValue;
    QPushButton* btnOk;
    QPushButton* btnCancel;
};

// Shows the dialog modally. True when it closed with "Ок"; only then are the three
// out-parameters set.
bool ExecuteSignalsChange(QWidget* AOwner, TSignalParams& AParam, TChangeOperations& AOperation,
                          double& Value);
