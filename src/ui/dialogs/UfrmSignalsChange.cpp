// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/UfrmSignalsChange.h"

#include "ui/dialogs/FixedDialog.h"
#include "util/NumberFormat.h"
#include "util/TextConvert.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace {

constexpr int ChangeWidth = 434;
constexpr int ChangeHeight = 105;
constexpr int EditHeight = 21;
constexpr int LabelHeight = 14;
constexpr double Tolerance = 1e-8;

template <typename T>
T* Place(T* AControl, const char* AName, int ALeft, int ATop, int AWidth, int AHeight) {
    AControl->setObjectName(QLatin1String(AName));
    AControl->setGeometry(ALeft, ATop, AWidth, AHeight);
    return AControl;
}

QLabel* NewLabel(QWidget* AParent, const char* AName, const QString& ACaption, int ALeft,
                 int ATop) {
    auto* Label = new QLabel(ACaption, AParent); // owned by the dialog
    Label->setObjectName(QLatin1String(AName));
    Label->move(ALeft, ATop);
    Label->resize(Label->sizeHint().width(), LabelHeight);
    return Label;
}

} // namespace

TfrmSignalsChange::TfrmSignalsChange(QWidget* AOwner)
    : QDialog(AOwner, FixedDialogFlags),
      cbSignalParams(Place(new QComboBox(this), "cbSignalParams", 8, 24, 177, EditHeight)),
      cbChangeOperations(
          Place(new QComboBox(this), "cbChangeOperations", 192, 24, 105, EditHeight)),
      edValue(Place(new QLineEdit(this), "edValue", 304, 24, 121, EditHeight)),
      btnOk(Place(new QPushButton(QStringLiteral("Ок"), this), "btnOk", 264, 72, 75, 25)),
      btnCancel(
          Place(new QPushButton(QStringLiteral("Отмена"), this), "btnCancel", 352, 72, 75, 25)) {
    setObjectName(QStringLiteral("frmSignalsChange"));
    // Takes the owner's font, as the controls of the main window have it.
    setAttribute(Qt::WA_WindowPropagation);
    setFixedSize(ChangeWidth, ChangeHeight);

    NewLabel(this, "lblSignalParams", QStringLiteral("Параметр:"), 8, 8)->setBuddy(cbSignalParams);
    NewLabel(this, "lblChangeOperations", QStringLiteral("Операция:"), 192, 8)
        ->setBuddy(cbChangeOperations);
    NewLabel(this, "lblValue", QStringLiteral("Значение:"), 304, 8)->setBuddy(edValue);
    auto* Bevel1 = Place(new QFrame(this), "Bevel1", 8, 56, 417, 2);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);

    // Only a focused "Ок" becomes the default for a moment; Enter elsewhere is "Отмена".
    btnOk->setAutoDefault(true);
    btnCancel->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &TfrmSignalsChange::accept);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmSignalsChange::reject);

    setTabOrder(btnOk, btnCancel);
    setTabOrder(btnCancel, cbSignalParams);
    setTabOrder(cbSignalParams, cbChangeOperations);
    setTabOrder(cbChangeOperations, edValue);

    FormCreate();
    btnCancel->setFocus();
}

void TfrmSignalsChange::FormCreate() {
    for (const QString& Name : SignalParamNames)
        cbSignalParams->addItem(Name);
    cbSignalParams->setCurrentIndex(0);
    for (const QString& Name : ChangeOperationNames)
        cbChangeOperations->addItem(Name);
    cbChangeOperations->setCurrentIndex(0);
    edValue->setText(FormatFloat(FloatFormat, 2));
}

TSignalParams TfrmSignalsChange::SignalParam() const {
    return static_cast<TSignalParams>(cbSignalParams->currentIndex());
}

TChangeOperations TfrmSignalsChange::ChangeOperation() const {
    return static_cast<TChangeOperations>(cbChangeOperations->currentIndex());
}

bool TfrmSignalsChange::TryValue(double& AValue) const {
    return TryTextToFloat(NormalizeDecimalSeparator(edValue->text()), AValue);
}

void TfrmSignalsChange::FormCloseQuery(bool& CanClose) const {
    double Value = 0;
    if (!TryValue(Value)) {
        CanClose = false;
        return;
    }
    // The rules look at the number alone, whatever the operation.
    switch (SignalParam()) {
    case spFrequency:
        CanClose = Value > Tolerance;
        break;
    case spDampingFactor:
        CanClose = Value >= 0;
        break;
    case spAmplitude:
        CanClose = std::fabs(Value) > Tolerance;
        break;
    case spVelocity:
    case spPhase:
        CanClose = true;
        break;
    }
}

void TfrmSignalsChange::accept() {
    bool CanClose = true;
    FormCloseQuery(CanClose);
    // A refused number keeps the dialog open, the text and the focus as they are.
    if (CanClose)
        QDialog::accept();
}

bool ExecuteSignalsChange(QWidget* AOwner, TSignalParams& AParam, TChangeOperations& AOperation,
                          double& Value) {
    TfrmSignalsChange Dialog(AOwner);
    Dialog.setWindowTitle(QStringLiteral("Изменение сигналов"));
    double Accepted = 0;
    if (Dialog.exec() != QDialog::Accepted || !Dialog.TryValue(Accepted))
        return false;
    AParam = Dialog.SignalParam();
    AOperation = Dialog.ChangeOperation();
    Value = Accepted;
    return true;
}

// The meta-object code of the class, compiled with this source.
#include "moc_UfrmSignalsChange.cpp"
