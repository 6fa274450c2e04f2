// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/InputQueryDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TInputQueryDialog::TInputQueryDialog(QWidget* AOwner, const QString& ACaption,
                                     const QString& APrompt, const QString& AValue,
                                     IPlatformServices::TCloseQuery ACloseQuery)
    : QDialog(AOwner), edValue(new QLineEdit(AValue, this)), FCloseQuery(std::move(ACloseQuery)) {
    setObjectName(QStringLiteral("InputQueryDialog"));
    setWindowTitle(ACaption);
    edValue->setObjectName(QStringLiteral("edValue"));
    edValue->selectAll();

    auto* Prompt = new QLabel(APrompt, this);
    Prompt->setBuddy(edValue);
    auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(Buttons, &QDialogButtonBox::accepted, this, &TInputQueryDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &TInputQueryDialog::reject);

    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(Prompt);
    Layout->addWidget(edValue);
    Layout->addWidget(Buttons);
    setMinimumWidth(260);
}

QString TInputQueryDialog::Value() const {
    return edValue->text();
}

void TInputQueryDialog::accept() {
    if (FCloseQuery && !FCloseQuery(edValue->text()))
        return;
    QDialog::accept();
}

// The meta-object code of the class, compiled with this source.
#include "moc_InputQueryDialog.cpp"
