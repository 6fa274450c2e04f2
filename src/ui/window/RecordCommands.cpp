// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window/RecordCommands.h"

#include "model/Project.h"
#include "model/ProjectRecords.h"
#include "model/records/RecordReader.h"
#include "platform/PlatformServices.h"
#include "util/TextConvert.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

QString StartFolder(const TProject& AProject) {
    if (AProject.Records().Count() > 0)
        return QFileInfo(AProject.Records()[AProject.Records().Count() - 1].FileName()).path();
    if (!AProject.FileName().isEmpty())
        return QFileInfo(AProject.FileName()).path();
    return QCoreApplication::applicationDirPath();
}

} // namespace

bool TRecordCommands::AddRecordFile() {
    TFileDialogOptions Options;
    Options.Title = QStringLiteral("Добавить запись");
    Options.Filter = RecordFileFilter();
    Options.InitialDir = StartFolder(FProject);
    const auto Chosen = FPlatform.OpenFileDialog(FOwner, Options);
    return Chosen && AddRecords({*Chosen});
}

bool TRecordCommands::AddRecords(const QStringList& AFiles) {
    std::uint64_t Room = MemoryForReading(FPlatform);
    std::vector<std::unique_ptr<TRecord>> Added;
    for (const QString& File : AFiles) {
        auto Record = ReadRecord(File, 1, Room);
        if (const int Channels = Record->Channels(); Channels > 1) {
            QString Value = QStringLiteral("1");
            const auto InRange = [Channels](const QString& AValue) {
                int Channel = 0;
                return TryTextToInt(AValue.trimmed(), Channel) && Channel >= 1 &&
                       Channel <= Channels;
            };
            const QString Prompt = QStringLiteral("Канал файла %1 (от 1 до %2)")
                                       .arg(QFileInfo(File).fileName())
                                       .arg(Channels);
            if (!FPlatform.InputQuery(FOwner, QStringLiteral("Канал записи"), Prompt, Value,
                                      InRange))
                return false;
            if (const int Channel = TextToIntDef(Value.trimmed(), 1); Channel != 1)
                Record = ReadRecord(File, Channel, Room);
        }
        Room -= std::min<std::uint64_t>(Room, Record->Samples().size() * sizeof(double));
        Added.push_back(std::move(Record));
    }
    if (Added.empty())
        return false;
    if (FProject.Records().Count() == 0 &&
        FPlatform.Question(FOwner, QStringLiteral("Установить dt и M по записи?"), FCaption))
        FProject.CalcSettings = SettingsForRecord(*Added.front(), FProject.CalcSettings);
    for (auto& Record : Added)
        FProject.Records().Add(std::move(Record));
    return true;
}

void TRecordCommands::DeleteRecord(int AIndex) {
    if (AIndex >= 0 && AIndex < FProject.Records().Count())
        FProject.Records().Delete(AIndex);
}
