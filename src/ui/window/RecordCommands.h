// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

class IPlatformServices;
class QWidget;
class TProject;

// The commands that bring measured records into the project and take them out. A
// file that does not give a record raises the reader's error, and then nothing of the
// project has changed.
class TRecordCommands {
public:
    TRecordCommands(TProject& AProject, IPlatformServices& APlatform, QWidget* AOwner,
                    QString ACaption)
        : FProject(AProject), FPlatform(APlatform), FOwner(AOwner), FCaption(std::move(ACaption)) {}

    // Runs the open dialog with the record file types and adds the chosen file.
    // Returns false when the dialog was cancelled.
    bool AddRecordFile();
    // Reads every file (asking for the channel of a file that has several), then
    // appends them all: all or nothing. When the project had no records yet, offers
    // the settings that fit the first one. Returns false when the user cancelled.
    bool AddRecords(const QStringList& AFiles);
    // Deletes the record at AIndex, counted from 0; nothing for a position without one.
    void DeleteRecord(int AIndex);

private:
    TProject& FProject;
    IPlatformServices& FPlatform;
    QWidget* FOwner;
    QString FCaption;
};
