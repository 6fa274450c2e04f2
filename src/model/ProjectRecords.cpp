// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/ProjectRecords.h"

#include "model/records/RecordErrors.h"
#include "model/records/RecordReader.h"
#include "util/NumberFormat.h"
#include "util/TextConvert.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <new>

namespace {

const QString RecordsCount = QStringLiteral("RecordsCount");

QString RecordSection(int i) {
    return QStringLiteral("Record%1").arg(i);
}

} // namespace

QString RecordFileText(const QString& AFileName, const QString& AProjectFolder) {
    const QString Path = QDir::cleanPath(QFileInfo(AFileName).absoluteFilePath());
    if (AProjectFolder.isEmpty())
        return Path;
    const QString Relative = QDir(AProjectFolder).relativeFilePath(Path);
    if (Relative.startsWith(QStringLiteral("../")) || Relative == QStringLiteral("..") ||
        QDir::isAbsolutePath(Relative))
        return Path;
    return Relative;
}

QString RecordFilePath(const QString& AText, const QString& AProjectFolder) {
    if (QDir::isAbsolutePath(AText) || AProjectFolder.isEmpty())
        return QDir::cleanPath(AText);
    return QDir::cleanPath(AProjectFolder + QLatin1Char('/') + AText);
}

std::vector<std::unique_ptr<TRecord>> ReadRecordEntries(const TIniFile& AIni,
                                                        const QString& AProjectFolder,
                                                        const TFormatSettings& AFormat) {
    const auto CountText = AIni.ReadString(ProjectGeneralSection, RecordsCount);
    const int Count = CountText ? TextToIntDef(*CountText, 0) : 0;
    if (Count > MaxProjectRecords)
        throw EVibronaError(
            QStringLiteral("Файл проекта содержит слишком много записей (%1).").arg(Count));
    std::vector<std::unique_ptr<TRecord>> Records;
    for (int i = 0; i < Count; ++i) {
        const QString Section = RecordSection(i);
        const auto File = AIni.ReadString(Section, QStringLiteral("File"));
        if (!File || File->isEmpty())
            continue;
        auto r = std::make_unique<TRecord>(RecordFilePath(*File, AProjectFolder));
        const auto Read = [&](const char* AKey) {
            return AIni.ReadString(Section, QString::fromLatin1(AKey)).value_or(QString());
        };
        r->SetChannel(TextToIntDef(Read("Channel"), r->Channel()));
        r->SetGain(TextToFloatDef(Read("Gain"), r->Gain(), AFormat));
        r->SetShift(TextToFloatDef(Read("Shift"), r->Shift(), AFormat));
        r->SetActive(TextToIntDef(Read("Active"), r->Active() ? 1 : 0) != 0);
        Records.push_back(std::move(r));
    }
    return Records;
}

void WriteRecords(TIniFile& AIni, const TRecords& ARecords, const QString& AProjectFolder,
                  const TFormatSettings& AFormat) {
    if (ARecords.Count() == 0 && !AIni.ReadString(ProjectGeneralSection, RecordsCount))
        return;
    AIni.WriteString(ProjectGeneralSection, RecordsCount, IntToFileText(ARecords.Count()));
    for (int i = 0; i < ARecords.Count(); ++i) {
        const TRecord& r = ARecords[i];
        const QString Section = RecordSection(i);
        AIni.WriteString(Section, QStringLiteral("File"),
                         RecordFileText(r.FileName(), AProjectFolder));
        AIni.WriteString(Section, QStringLiteral("Channel"), IntToFileText(r.Channel()));
        AIni.WriteString(Section, QStringLiteral("Gain"), FloatToFileText(r.Gain(), AFormat));
        AIni.WriteString(Section, QStringLiteral("Shift"), FloatToFileText(r.Shift(), AFormat));
        AIni.WriteString(Section, QStringLiteral("Active"), BoolToFileText(r.Active()));
    }
}

std::vector<TRecordProblem> LoadRecordSamples(std::vector<std::unique_ptr<TRecord>>& ARecords,
                                              std::uint64_t AAvailableBytes) {
    std::vector<TRecordProblem> Problems;
    for (auto& r : ARecords) {
        if (!QFileInfo(r->FileName()).isFile()) {
            r->SetMissing();
            Problems.push_back({r->FileName(), true, {}});
            continue;
        }
        try {
            r->SetSamples(ReadRecordFile(r->FileName(), r->Channel(), AAvailableBytes));
            AAvailableBytes -=
                std::min<std::uint64_t>(AAvailableBytes, r->Samples().size() * sizeof(double));
        } catch (const ERecordError& e) {
            r->SetMissing();
            Problems.push_back({r->FileName(), false, e.Message()});
        } catch (const std::bad_alloc&) {
            r->SetMissing();
            Problems.push_back(
                {r->FileName(), false, ERecordError(r->FileName(), TooLargeFault()).Message()});
        }
    }
    return Problems;
}

QString RecordProblemsText(const std::vector<TRecordProblem>& AProblems) {
    QStringList Missing, Lines;
    for (const TRecordProblem& p : AProblems)
        if (p.NotFound)
            Missing << p.FileName;
    if (!Missing.isEmpty())
        Lines << QStringLiteral("Не найдены файлы записей: %1")
                     .arg(Missing.join(QStringLiteral(", ")));
    for (const TRecordProblem& p : AProblems)
        if (!p.NotFound)
            Lines << p.Message;
    return Lines.join(QLatin1Char('\n'));
}

std::unique_ptr<TRecord> ReadRecord(const QString& AFileName, int AChannel,
                                    std::uint64_t AAvailableBytes) {
    auto r = std::make_unique<TRecord>(QFileInfo(AFileName).absoluteFilePath(), AChannel);
    r->SetSamples(ReadRecordFile(r->FileName(), AChannel, AAvailableBytes));
    return r;
}

TCalcSettings SettingsForRecord(const TRecord& ARecord, const TCalcSettings& ASettings) {
    TCalcSettings s = ASettings;
    s.dt = LimitDt(ARecord.StepFor(ASettings.dt));
    s.M = LimitM(static_cast<int>(
        std::min<std::size_t>(ARecord.Samples().size(), std::numeric_limits<int>::max())));
    s.N = LimitN(s.M);
    s.K = LimitK(s.N / 2, s.N);
    return s;
}
