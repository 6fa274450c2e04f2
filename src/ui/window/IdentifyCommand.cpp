// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/IdentifyCommand.h"

#include "analysis/identify/IdentifiedProject.h"
#include "model/Project.h"
#include "platform/PlatformServices.h"
#include "ui/dialogs/UfrmIdentify.h"
#include "ui/window/CommandGuard.h"
#include "ui/window/ProgressRunner.h"

#include <qcustomplot.h>

bool RunIdentifyDialog(QWidget* AOwner, TProject& AProject, QCustomPlot& ACurveChart,
                       const TCommandGuard& AGuard, const QString& ACaption) {
    const QCPPlottableInterface1D* Curve =
        ACurveChart.plottableCount() > 0 ? ACurveChart.plottable(0)->interface1D() : nullptr;
    TIdentifySources Sources;
    if (Curve) {
        Sources.CurveSamples = static_cast<std::size_t>(Curve->dataCount());
        Sources.CurveTime = [Curve](std::size_t i) {
            return Curve->dataMainKey(static_cast<int>(i));
        };
        Sources.CurveValue = [Curve](std::size_t i) {
            return Curve->dataMainValue(static_cast<int>(i));
        };
    }
    Sources.Records = &AProject.Records();

    IPlatformServices& Platform = AGuard.Platform();
    TIdentifyServices Services;
    Services.Platform = &Platform;
    Services.Caption = ACaption;
    Services.RunCommand = [&AGuard](const std::function<void()>& AStep) {
        return AGuard.Run(AStep);
    };
    Services.Runner = [Runner = TProgressRunner(AOwner)](
                          const TCalcCost& ACost, const TIdentifyServices::TCompute& ACompute) {
        return Runner.Run<TIdentification>(ACost, ACompute);
    };
    try {
        Services.AvailableBytes = Platform.MemoryStatus().Usable();
    } catch (const EPlatformError&) {
        // Without an answer the work is not refused ahead; an allocation failure still is.
    }

    TfrmIdentify Dialog(AOwner, std::move(Sources), std::move(Services));
    // A failure shows its error box; the dialog opens all the same, for another span.
    AGuard.Run([&] { Dialog.Identify(); });
    if (Dialog.exec() != QDialog::Accepted || !Dialog.Use())
        return false;
    UseIdentified(AProject.Signals(), AProject.CalcSettings.C, Dialog.Result(), Dialog.Chosen(),
                  *Dialog.Use());
    SwitchOffIdentifiedRecords(AProject.Records(), Dialog.SourceRecord());
    return true;
}
