// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

class IPlatformServices;
class QCustomPlot;
class QWidget;
class TProject;
class TSpectrum;
struct TSeriesPoints;

// The commands that keep work in files: opening and saving the project, the three
// text exports and the chart pictures. Each asks for its file first and does nothing
// when the dialog is cancelled; a file that cannot be read or written raises the file
// layer's error, and then nothing of the window or of the file on disk has changed.
// A long text export runs behind the progress window; cancelling it changes no file.
class TFileCommands {
public:
    TFileCommands(TProject& AProject, IPlatformServices& APlatform, QWidget* AOwner)
        : FProject(AProject), FPlatform(APlatform), FOwner(AOwner) {}

    // Runs the open dialog and replaces the project by the chosen file's, all or
    // nothing. Returns nothing when the dialog was cancelled, otherwise what Open does.
    std::optional<QString> OpenFile();
    // Replaces the project by that of AFileName, all or nothing. Records whose files
    // are missing or unreadable stay in the project; the one message naming them is
    // returned, empty when every record was read.
    QString Open(const QString& AFileName);
    // Runs the save dialog and writes the settings, the signals and the records into
    // the chosen file. Returns false when the dialog was cancelled.
    bool SaveFile();
    // The chosen file, empty when cancelled. The dialog proposes the project's name
    // without its extension in its folder, else ADefaultName, else no name in the
    // program's folder.
    QString ExecuteSaveDialog(const QString& AFilter, const QString& ADefaultExt,
                              const QString& ADefaultName);

    // The chart's data (its first series, in linear units) as text; nothing while the
    // chart has no series.
    void SaveChartAsText(QCustomPlot& AChart, const TSeriesPoints& APoints);
    // The characteristic samples as text; nothing while there are none.
    void SaveCharacteristicFrequencies(const TSpectrum& ASpectrum);
    // The chart as a picture, in the format its file's extension names (EMF, SVG, PDF
    // or PNG); nothing while the chart has no series.
    void SaveChartPicture(QCustomPlot& AChart);

    // "Vibrona - beam.vbf" for the current project, the bare title without one.
    QString Caption(const QString& ATitle) const;

private:
    TProject& FProject;
    IPlatformServices& FPlatform;
    QWidget* FOwner;
};
