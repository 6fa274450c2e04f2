// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/FileCommands.h"

#include "analysis/TextExport.h"
#include "model/Project.h"
#include "model/ProjectFile.h"
#include "platform/PlatformServices.h"
#include "ui/charts/ChartSeries.h"
#include "ui/pictures/ChartPicture.h"
#include "ui/pictures/PictureFormat.h"
#include "ui/window/ProgressRunner.h"
#include "ui/window/TextExportRun.h"
#include "util/AtomicFile.h"
#include "util/Errors.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <vector>

#include <qcustomplot.h>

namespace {

const QString ProjectFilter = QStringLiteral("Vibrona файлы (*.vbf)|*.vbf");
const QString ProjectExt = QStringLiteral("vbf");
const QString TextFilter = QStringLiteral("Текстовые файлы (*.txt)|*.txt");
const QString TextExt = QStringLiteral("txt");
const QString PictureExt = QStringLiteral("emf");

QString ProgramFolder() {
    return QCoreApplication::applicationDirPath();
}

} // namespace

std::optional<QString> TFileCommands::OpenFile() {
    TFileDialogOptions Options;
    Options.Filter = ProjectFilter;
    Options.DefaultExt = ProjectExt;
    const QFileInfo Current(FProject.FileName());
    Options.InitialDir = !FProject.FileName().isEmpty() && Current.isFile() ? Current.absolutePath()
                                                                            : ProgramFolder();
    const auto Chosen = FPlatform.OpenFileDialog(FOwner, Options);
    if (!Chosen)
        return std::nullopt;
    return Open(*Chosen);
}

QString TFileCommands::Open(const QString& AFileName) {
    // A file that is not there would otherwise open as an empty project.
    if (!QFileInfo(AFileName).isFile())
        throw EReadError(AFileName);
    const QString Problems =
        RecordProblemsText(OpenProject(AFileName, FProject, MemoryForReading(FPlatform)));
    FProject.SetFileName(QFileInfo(AFileName).absoluteFilePath());
    return Problems;
}

bool TFileCommands::SaveFile() {
    const QString Chosen = ExecuteSaveDialog(ProjectFilter, ProjectExt, {});
    if (Chosen.isEmpty())
        return false;
    // The file is replaced in one piece; when that fails, the name stays the old one.
    SaveProject(Chosen, FProject);
    FProject.SetFileName(QFileInfo(Chosen).absoluteFilePath());
    return true;
}

QString TFileCommands::ExecuteSaveDialog(const QString& AFilter, const QString& ADefaultExt,
                                         const QString& ADefaultName) {
    TFileDialogOptions Options;
    Options.Filter = AFilter;
    Options.DefaultExt = ADefaultExt;
    if (const QString& Current = FProject.FileName(); !Current.isEmpty()) {
        const QFileInfo Info(Current);
        Options.FileName = Info.path() + QLatin1Char('/') + Info.completeBaseName();
        Options.InitialDir = Info.path();
    } else if (!ADefaultName.isEmpty()) {
        Options.FileName = ADefaultName;
        const QFileInfo Info(ADefaultName);
        Options.InitialDir = ADefaultName.contains(QLatin1Char('/')) ? Info.path() : QString();
    } else {
        Options.InitialDir = ProgramFolder();
    }
    return FPlatform.SaveFileDialog(FOwner, Options).value_or(QString());
}

void TFileCommands::SaveChartAsText(QCustomPlot& AChart, const TSeriesPoints& APoints) {
    if (AChart.plottableCount() == 0)
        return;
    const QString Chosen = ExecuteSaveDialog(TextFilter, TextExt, AChart.objectName());
    if (Chosen.isEmpty())
        return;
    const std::size_t Lines = std::min(APoints.X.size(), APoints.Y.size());
    RunTextExport(TProgressRunner(FOwner), Chosen, TextExportWork(Lines, 2),
                  [&](const TTextSink& ASink, TProgress* AProgress) {
                      WritePointsText(APoints.X, APoints.Y, ASink, TFormatSettings::Default(), 0,
                                      AProgress);
                  });
}

void TFileCommands::SaveCharacteristicFrequencies(const TSpectrum& ASpectrum) {
    if (ASpectrum.Count() == 0)
        return;
    const QString Chosen = ExecuteSaveDialog(TextFilter, TextExt, QStringLiteral("Frequencies"));
    if (Chosen.isEmpty())
        return;
    std::vector<TSpectrumSample> Samples;
    Samples.reserve(static_cast<std::size_t>(ASpectrum.Count()));
    for (int i = 0; i < ASpectrum.Count(); ++i)
        Samples.push_back(ASpectrum[i]);
    RunTextExport(TProgressRunner(FOwner), Chosen, TextExportWork(Samples.size(), 2),
                  [&](const TTextSink& ASink, TProgress* AProgress) {
                      WriteCharacteristicText(Samples, ASink, TFormatSettings::Default(), 0,
                                              AProgress);
                  });
}

void TFileCommands::SaveChartPicture(QCustomPlot& AChart) {
    if (AChart.plottableCount() == 0)
        return;
    const QString Chosen =
        ExecuteSaveDialog(PictureDialogFilter(), PictureExt, AChart.objectName());
    if (Chosen.isEmpty())
        return;
    WriteChartPicture(AChart, Chosen, AChart.size());
}

QString TFileCommands::Caption(const QString& ATitle) const {
    if (FProject.FileName().isEmpty())
        return ATitle;
    return QStringLiteral("%1 - %2").arg(ATitle, QFileInfo(FProject.FileName()).fileName());
}
