// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Recalculation.h"
#include "analysis/identify/Identification.h"
#include "analysis/identify/IdentifiedProject.h"

#include <QDialog>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class IPlatformServices;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class TRecords;

// What the dialog can identify: the last recalculation's curve, t = i * dt, or one
// record alone on the same samples. The curve is read where it is kept, and only
// as far as the identification looks.
struct TIdentifySources {
    std::size_t CurveSamples = 0;
    std::function<double(std::size_t AIndex)> CurveTime;
    std::function<double(std::size_t AIndex)> CurveValue;
    const TRecords* Records = nullptr; // the records with samples are offered
};

// What the dialog asks of the window.
struct TIdentifyServices {
    using TCompute = std::function<TIdentification(const TProgressCallback& AProgress)>;

    IPlatformServices* Platform = nullptr; // the question before signals are replaced
    QString Caption;                       // of the question
    // Runs a step in the window's command guard, which shows its error; false then.
    std::function<bool(const std::function<void()>&)> RunCommand;
    // Runs the identification, a long one behind a progress window; raises ECancelled
    // when the user stops it.
    std::function<TIdentification(const TCalcCost& ACost, const TCompute& ACompute)> Runner;
    // The memory the identification must fit into, when known.
    std::optional<std::uint64_t> AvailableBytes;
};

// "Подбор колебаний": the source, the span and the most oscillations; the
// oscillations found with a check box each and what remains of the source besides
// them. "Заменить сигналы" (after a "Да" to the question) and "Добавить сигналы"
// close the dialog with the checked rows for the window to use.
class TfrmIdentify : public QDialog {
    Q_OBJECT
public:
    TfrmIdentify(QWidget* AOwner, TIdentifySources ASources, TIdentifyServices AServices);

    // Identifies the chosen source over the chosen span and shows what was found.
    // Raises (the caller's guard shows it) and keeps the table as it was on an error;
    // a cancel keeps it silently. A span time that is no number stands for the
    // curve's start or end. The times shown afterwards are those of the span's first
    // and last samples.
    void Identify();

    // How the dialog closed: replace or add, or nothing.
    std::optional<TIdentifiedUse> Use() const { return FUse; }
    const TIdentification& Result() const { return FResult; }
    // Per oscillation of Result(): whether its row is checked.
    std::vector<bool> Chosen() const;
    // The record whose samples Result() comes from, or -1 for the curve.
    int SourceRecord() const { return FResultRecord; }

private:
    void FormCreate();
    // The table and the lines under it; ASpanSamples is the span's length.
    void ShowResult(std::size_t ASpanSamples);
    void ClearResult();
    void UpdateButtons();
    void btnReplaceClick();
    void btnAddClick();
    // The time in AEdit, or AFallback when its text is no number.
    double SpanTime(const QLineEdit& AEdit, double AFallback) const;
    void ShowSpanTimes(double AStart, double AEnd);

    TIdentifySources FSources;
    TIdentifyServices FServices;
    std::vector<int> FRecordOfItem; // per source item: the record, -1 for the curve
    TIdentification FResult;
    bool FHasResult = false;
    int FResultRecord = -1;
    std::optional<TIdentifiedUse> FUse;
    // The span last shown, so that its rounded texts keep standing for exact times.
    double FShownStart = 0;
    double FShownEnd = 0;
    QString FShownStartText;
    QString FShownEndText;

    QComboBox* cbSource; // the controls are owned by the dialog
    QLineEdit* edStart;
    QLineEdit* edEnd;
    QSpinBox* seCount;
    QPushButton* btnIdentify;
    QTableWidget* sgOscillations;
    QLabel* lblResidual;
    QPushButton* btnReplace;
    QPushButton* btnAdd;
    QPushButton* btnClose;
};
