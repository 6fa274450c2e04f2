// Generating, inserting and deleting signals.
#include "ui/UfrmMain.h"

#include "ui/DrawGrid.h"
#include "ui/SignalGenerators.h"
#include "util/TextConvert.h"

void TfrmMain::GenerateSignal(int AKind) {
    int Harmonics = 1;
    if (GeneratorNeedsCount(AKind)) {
        // The count starts at 5 every time; the last one is not remembered.
        QString Value = QStringLiteral("5");
        const auto CloseQuery = [this](const QString& AValue) {
            bool CanClose = false;
            CheckHarmonicsCount(nullptr, {AValue}, CanClose);
            return CanClose;
        };
        if (!FPlatform.InputQuery(this, QStringLiteral("Количество гармоник"),
                                  QStringLiteral("Введите количество гармоник"), Value, CloseQuery))
            return;
        Harmonics = TextToIntDef(Value, 1);
    }
    GenerateSignals(*FSignals, AKind, Harmonics);
    FFileName.clear();
    ShowSettings(true);
}

void TfrmMain::CheckHarmonicsCount(QObject* /*Sender*/, const QStringList& Values, bool& CanClose) {
    int Count = 0;
    CanClose = !Values.isEmpty() && TryTextToInt(Values.front(), Count) &&
               Count >= MinHarmonicsCount && Count <= MaxHarmonicsCount;
}

void TfrmMain::btnInsSignalClick() {
    // The new signal takes the current column; the one shown there moves right.
    const int Col = dgSignalsParams->Col();
    FSignals->Insert(Col <= 0 ? 0 : Col - 1, std::make_unique<TSignal>());
    dgSignalsParams->SetColCount(FSignals->Count() + 1);
    AdjustGridColumns();
}

void TfrmMain::btnDelSignalClick() {
    if (FSignals->Count() == 1) {
        FPlatform.MessageBox(this, QStringLiteral("Последний сигнал не может быть удален!"),
                             ApplicationTitle(), TMessageKind::Warning);
        return;
    }
    const int Col = dgSignalsParams->Col();
    if (Col > 0 && FSignals->Count() > 1) {
        FSignals->Delete(Col - 1);
        dgSignalsParams->SetColCount(FSignals->Count() + 1);
        AdjustGridColumns();
    }
}
