// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/UfrmIdentify.h"

#include "analysis/identify/IdentifySource.h"
#include "model/RecordList.h"
#include "platform/PlatformServices.h"
#include "util/NumberFormat.h"
#include "util/TextConvert.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int IdentifyWidth = 600;
constexpr int IdentifyHeight = 420;
// Percentages: "0,3 %", "12,5 %".
constexpr const char* PercentFormat = "#,##0.0##";
constexpr const char* CountFormat = "#,##0";

enum TColumn { colF, colD, colA, colV, colZeta, colShare, ColumnCount };

QString Num(double AValue) {
    return FormatFloat(FloatFormat, AValue);
}

QTableWidgetItem* NewCell(const QString& AText) {
    auto* Item = new QTableWidgetItem(AText); // the table takes it
    Item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    Item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return Item;
}

template <typename T> T* Named(T* AControl, const char* AName) {
    AControl->setObjectName(QLatin1String(AName));
    return AControl;
}

} // namespace

TfrmIdentify::TfrmIdentify(QWidget* AOwner, TIdentifySources ASources, TIdentifyServices AServices)
    : QDialog(AOwner), FSources(std::move(ASources)), FServices(std::move(AServices)),
      cbSource(Named(new QComboBox(this), "cbSource")),
      edStart(Named(new QLineEdit(this), "edStart")), edEnd(Named(new QLineEdit(this), "edEnd")),
      seCount(Named(new QSpinBox(this), "seCount")),
      btnIdentify(Named(new QPushButton(QStringLiteral("Подобрать"), this), "btnIdentify")),
      sgOscillations(Named(new QTableWidget(this), "sgOscillations")),
      lblResidual(Named(new QLabel(this), "lblResidual")),
      btnReplace(Named(new QPushButton(QStringLiteral("Заменить сигналы"), this), "btnReplace")),
      btnAdd(Named(new QPushButton(QStringLiteral("Добавить сигналы"), this), "btnAdd")),
      btnClose(Named(new QPushButton(QStringLiteral("Закрыть"), this), "btnClose")) {
    setObjectName(QStringLiteral("frmIdentify"));
    setWindowTitle(QStringLiteral("Подбор колебаний"));
    // Takes the owner's font, as the controls of the main window have it.
    setAttribute(Qt::WA_WindowPropagation);
    resize(IdentifyWidth, IdentifyHeight);

    auto* Inputs = new QGridLayout;
    Inputs->addWidget(new QLabel(QStringLiteral("Источник:"), this), 0, 0);
    Inputs->addWidget(cbSource, 0, 1, 1, 4);
    Inputs->addWidget(new QLabel(QStringLiteral("Участок от:"), this), 1, 0);
    Inputs->addWidget(edStart, 1, 1);
    Inputs->addWidget(new QLabel(QStringLiteral("до:"), this), 1, 2);
    Inputs->addWidget(edEnd, 1, 3);
    Inputs->addWidget(new QLabel(QStringLiteral("Колебаний не более:"), this), 2, 0);
    Inputs->addWidget(seCount, 2, 1);
    Inputs->addWidget(btnIdentify, 2, 3);
    Inputs->setColumnStretch(1, 1);
    Inputs->setColumnStretch(3, 1);

    auto* Buttons = new QHBoxLayout;
    Buttons->addWidget(btnReplace);
    Buttons->addWidget(btnAdd);
    Buttons->addStretch(1);
    Buttons->addWidget(btnClose);

    auto* Layout = new QVBoxLayout(this);
    Layout->addLayout(Inputs);
    Layout->addWidget(sgOscillations, 1);
    Layout->addWidget(lblResidual);
    Layout->addLayout(Buttons);

    FormCreate();

    // Enter runs the identification; replacing or adding takes a click.
    btnIdentify->setDefault(true);
    btnReplace->setAutoDefault(false);
    btnAdd->setAutoDefault(false);
    btnClose->setAutoDefault(false);
    const auto Guarded = [this](void (TfrmIdentify::*AHandler)()) {
        return [this, AHandler] { FServices.RunCommand([&] { (this->*AHandler)(); }); };
    };
    connect(btnIdentify, &QPushButton::clicked, this, Guarded(&TfrmIdentify::Identify));
    connect(btnReplace, &QPushButton::clicked, this, Guarded(&TfrmIdentify::btnReplaceClick));
    connect(btnAdd, &QPushButton::clicked, this, Guarded(&TfrmIdentify::btnAddClick));
    connect(btnClose, &QPushButton::clicked, this, &TfrmIdentify::reject);
    // What is shown stays true to the inputs: any change of them drops it.
    connect(cbSource, &QComboBox::currentIndexChanged, this, &TfrmIdentify::ClearResult);
    connect(edStart, &QLineEdit::textEdited, this, &TfrmIdentify::ClearResult);
    connect(edEnd, &QLineEdit::textEdited, this, &TfrmIdentify::ClearResult);
    connect(seCount, &QSpinBox::valueChanged, this, &TfrmIdentify::ClearResult);
    connect(sgOscillations, &QTableWidget::itemChanged, this, &TfrmIdentify::UpdateButtons);
}

void TfrmIdentify::FormCreate() {
    cbSource->addItem(QStringLiteral("Кривая последнего расчета"));
    FRecordOfItem.push_back(-1);
    if (FSources.Records)
        for (int i = 0; i < FSources.Records->Count(); ++i) {
            const TRecord& Record = (*FSources.Records)[i];
            if (Record.Samples().empty())
                continue;
            cbSource->addItem(QStringLiteral("Запись %1: %2, канал %3")
                                  .arg(i + 1)
                                  .arg(QFileInfo(Record.FileName()).fileName())
                                  .arg(Record.Channel()));
            FRecordOfItem.push_back(i);
        }

    seCount->setRange(1, IdentifyMaxCount);
    seCount->setValue(IdentifyDefaultCount);
    if (FSources.CurveSamples > 0)
        ShowSpanTimes(FSources.CurveTime(0), FSources.CurveTime(FSources.CurveSamples - 1));

    sgOscillations->setColumnCount(ColumnCount);
    sgOscillations->setHorizontalHeaderLabels({QStringLiteral("F"), QStringLiteral("D"),
                                               QStringLiteral("A"), QStringLiteral("V"),
                                               QStringLiteral("ζ"), QStringLiteral("Доля, %")});
    const QString Hints[ColumnCount] = {QStringLiteral("Частота свободных колебаний"),
                                        QStringLiteral("Коэффициент затухания"),
                                        QStringLiteral("Значение в начале участка"),
                                        QStringLiteral("Производная в начале участка"),
                                        QStringLiteral("Относительное затухание D / W"),
                                        QStringLiteral("Доля энергии колебаний на участке")};
    for (int c = 0; c < ColumnCount; ++c)
        sgOscillations->horizontalHeaderItem(c)->setToolTip(Hints[c]);
    sgOscillations->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sgOscillations->verticalHeader()->setVisible(false);
    sgOscillations->setSelectionMode(QAbstractItemView::NoSelection);
    ClearResult();
}

void TfrmIdentify::ShowSpanTimes(double AStart, double AEnd) {
    FShownStart = AStart;
    FShownEnd = AEnd;
    FShownStartText = Num(AStart);
    FShownEndText = Num(AEnd);
    edStart->setText(FShownStartText);
    edEnd->setText(FShownEndText);
}

double TfrmIdentify::SpanTime(const QLineEdit& AEdit, double AFallback) const {
    // The shown text stands for the exact time it was made from, not its rounding.
    if (&AEdit == edStart && AEdit.text() == FShownStartText)
        return FShownStart;
    if (&AEdit == edEnd && AEdit.text() == FShownEndText)
        return FShownEnd;
    double Value = 0;
    return TryTextToFloat(NormalizeDecimalSeparator(AEdit.text()), Value) ? Value : AFallback;
}

void TfrmIdentify::Identify() {
    const std::size_t n = FSources.CurveSamples;
    if (n < 2)
        throw EVibronaError(QStringLiteral("Нет кривой: сначала выполните расчет (Ctrl+R)"));
    const auto& Time = FSources.CurveTime;
    const double dt = Time(1) - Time(0);
    const TCurveSpan Span =
        CurveSpan(n, dt, SpanTime(*edStart, Time(0)), SpanTime(*edEnd, Time(n - 1)));
    // Only the span's first IdentifyMaxSamples samples are analysed.
    const std::size_t Analysed = std::min(Span.Count, IdentifyMaxSamples);
    const int Record = FRecordOfItem[static_cast<std::size_t>(cbSource->currentIndex())];
    std::vector<double> Values;
    if (Record >= 0) {
        Values = RecordCurveSpan((*FSources.Records)[Record], dt, Span.First, Analysed);
    } else {
        Values.resize(Analysed);
        for (std::size_t k = 0; k < Analysed; ++k)
            Values[k] = FSources.CurveValue(Span.First + k);
    }

    TIdentifyOptions Options;
    Options.MaxCount = seCount->value();
    Options.StartTime = Time(Span.First);
    const TCalcCost Cost = EstimateIdentifyCost(Analysed, Options.MaxCount);
    if (FServices.AvailableBytes)
        CheckMemory(Cost, *FServices.AvailableBytes);
    const TIdentifyServices::TCompute Compute = [&](const TProgressCallback& AProgress) {
        return IdentifyOscillations(Values, dt, Options, AProgress);
    };
    TIdentification Found;
    try {
        Found = FServices.Runner ? FServices.Runner(Cost, Compute) : Compute({});
    } catch (const ECancelled&) {
        return;
    }
    FResult = std::move(Found);
    FHasResult = true;
    FResultRecord = Record;
    ShowSpanTimes(Time(Span.First), Time(Span.First + Span.Count - 1));
    ShowResult(Span.Count);
}

void TfrmIdentify::ShowResult(std::size_t ASpanSamples) {
    const QSignalBlocker Quiet(sgOscillations);
    sgOscillations->setRowCount(static_cast<int>(FResult.Oscillations.size()));
    for (int Row = 0; Row < sgOscillations->rowCount(); ++Row) {
        const TOscillation& o = FResult.Oscillations[static_cast<std::size_t>(Row)];
        const double Values[ColumnCount] = {o.F, o.D, o.A, o.V, o.Zeta, o.Share * 100};
        for (int c = 0; c < ColumnCount; ++c)
            sgOscillations->setItem(
                Row, c,
                NewCell(c == colShare ? FormatFloat(PercentFormat, Values[c]) : Num(Values[c])));
        QTableWidgetItem* Check = sgOscillations->item(Row, colF);
        Check->setFlags(Check->flags() | Qt::ItemIsUserCheckable);
        Check->setCheckState(Qt::Checked);
    }

    QStringList Lines;
    Lines << QStringLiteral("Остаток: %1 %")
                 .arg(FormatFloat(PercentFormat, FResult.RelativeResidual * 100));
    if (FResult.Oscillations.empty())
        Lines << QStringLiteral("Колебаний не найдено");
    if (FResult.HasConstant)
        Lines << QStringLiteral("Постоянная составляющая C: %1").arg(Num(FResult.Constant));
    if (FResult.Dropped > 0)
        Lines << QStringLiteral("Отброшено составляющих (нарастающих или без колебаний): %1")
                     .arg(FResult.Dropped);
    if (FResult.Samples < ASpanSamples)
        Lines << QStringLiteral("Подбор выполнен по первым %1 отсчетам участка из %2")
                     .arg(FormatFloat(CountFormat, static_cast<double>(FResult.Samples)),
                          FormatFloat(CountFormat, static_cast<double>(ASpanSamples)));
    lblResidual->setText(Lines.join(QLatin1Char('\n')));
    UpdateButtons();
}

void TfrmIdentify::ClearResult() {
    FResult = {};
    FHasResult = false;
    FResultRecord = -1;
    sgOscillations->setRowCount(0);
    lblResidual->setText(QStringLiteral("Нажмите «Подобрать»"));
    UpdateButtons();
}

std::vector<bool> TfrmIdentify::Chosen() const {
    std::vector<bool> Result(FResult.Oscillations.size(), false);
    for (int Row = 0; Row < sgOscillations->rowCount() && Row < static_cast<int>(Result.size());
         ++Row)
        if (const QTableWidgetItem* Check = sgOscillations->item(Row, colF))
            Result[static_cast<std::size_t>(Row)] = Check->checkState() == Qt::Checked;
    return Result;
}

void TfrmIdentify::UpdateButtons() {
    const std::vector<bool> Rows = Chosen();
    const bool Any = FHasResult && std::find(Rows.begin(), Rows.end(), true) != Rows.end();
    btnReplace->setEnabled(Any);
    btnAdd->setEnabled(Any);
}

void TfrmIdentify::btnReplaceClick() {
    if (FServices.Platform &&
        !FServices.Platform->Question(
            this,
            QStringLiteral("Сигналы проекта будут заменены отмеченными колебаниями, а C — "
                           "постоянной составляющей. Отменить замену нельзя. Заменить?"),
            FServices.Caption))
        return;
    FUse = TIdentifiedUse::Replace;
    accept();
}

void TfrmIdentify::btnAddClick() {
    FUse = TIdentifiedUse::Add;
    accept();
}

// The meta-object code of the class, compiled with this source.
#include "moc_UfrmIdentify.cpp"
