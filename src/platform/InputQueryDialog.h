// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/PlatformServices.h"

#include <QDialog>

class QLineEdit;

// A one-line input box whose OK closes it only when the close query agrees;
// Cancel always closes it.
class TInputQueryDialog : public QDialog {
    Q_OBJECT
public:
    TInputQueryDialog(QWidget* AOwner, const QString& ACaption, const QString& APrompt,
                      const QString& AValue, IPlatformServices::TCloseQuery ACloseQuery);

    QString Value() const;

public slots:
    void accept() override;

private:
    QLineEdit* edValue;
    IPlatformServices::TCloseQuery FCloseQuery;
};
