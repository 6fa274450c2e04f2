// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/ProjectFile.h"

#include "util/AtomicFile.h"
#include "util/Errors.h"
#include "util/NumberFormat.h"
#include "util/TextConvert.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const QString Dft = QStringLiteral("DFT");

QString SignalSection(int i) {
    return QStringLiteral("Signal%1").arg(i);
}

double ReadFloat(const TIniFile& AIni, const QString& ASection, const QString& AKey,
                 double ADefault, const TFormatSettings& AFormat) {
    const auto Text = AIni.ReadString(ASection, AKey);
    return Text ? TextToFloatDef(*Text, ADefault, AFormat) : ADefault;
}

int ReadInt(const TIniFile& AIni, const QString& ASection, const QString& AKey, int ADefault) {
    const auto Text = AIni.ReadString(ASection, AKey);
    return Text ? TextToIntDef(*Text, ADefault) : ADefault;
}

bool ReadBool(const TIniFile& AIni, const QString& ASection, const QString& AKey, bool ADefault) {
    return ReadInt(AIni, ASection, AKey, ADefault ? 1 : 0) != 0;
}

// What the file holds before a save writes into it. A target that cannot be
// replaced fails as a write before it is read.
TIniFile LoadForSaving(const QString& AFileName) {
    const QFileInfo Info(AFileName);
    if (Info.exists() && !IsReplaceable(Info))
        throw EWriteError(AFileName);
    return TIniFile::Load(AFileName);
}

} // namespace

std::vector<std::unique_ptr<TSignal>> ReadSignals(const TIniFile& AIni, int ACurrentCount,
                                                  const TFormatSettings& AFormat) {
    const int Count =
        ReadInt(AIni, ProjectGeneralSection, QStringLiteral("SignalsCount"), ACurrentCount);
    if (Count > MaxProjectSignals)
        throw EVibronaError(
            QStringLiteral("Файл проекта содержит слишком много сигналов (%1).").arg(Count));
    std::vector<std::unique_ptr<TSignal>> Signals;
    Signals.reserve(static_cast<std::size_t>(std::max(Count, 0)));
    for (int i = 0; i < Count; ++i) {
        auto s = std::make_unique<TSignal>();
        const QString Section = SignalSection(i);
        s->SetActive(ReadBool(AIni, Section, QStringLiteral("Active"), s->Active()));
        s->SetAmplitude(
            ReadFloat(AIni, Section, QStringLiteral("Amplitude"), s->Amplitude(), AFormat));
        s->SetVelocity(
            ReadFloat(AIni, Section, QStringLiteral("Velocity"), s->Velocity(), AFormat));
        s->SetFrequency(
            ReadFloat(AIni, Section, QStringLiteral("Frequency"), s->Frequency(), AFormat));
        s->SetDF(ReadFloat(AIni, Section, QStringLiteral("DampingFactor"), s->DF(), AFormat));
        s->SetFi(ReadFloat(AIni, Section, QStringLiteral("Fi"), s->Fi(), AFormat));
        Signals.push_back(std::move(s));
    }
    return Signals;
}

TProjectData ReadProject(const TIniFile& AIni, const TCalcSettings& ACurrentSettings,
                         int ACurrentCount, const TFormatSettings& AFormat) {
    TProjectData Data;
    TCalcSettings& s = Data.Settings;
    s.dt =
        ReadFloat(AIni, ProjectGeneralSection, QStringLiteral("dt"), ACurrentSettings.dt, AFormat);
    s.M = ReadInt(AIni, ProjectGeneralSection, QStringLiteral("M"), ACurrentSettings.M);
    s.C = ReadFloat(AIni, ProjectGeneralSection, QStringLiteral("C"), ACurrentSettings.C, AFormat);
    s.N = ReadInt(AIni, Dft, QStringLiteral("N"), ACurrentSettings.N);
    s.K = ReadInt(AIni, Dft, QStringLiteral("K"), ACurrentSettings.K);
    s.Window = WindowKindFromOrdinal(
        ReadInt(AIni, Dft, QStringLiteral("Window"), static_cast<int>(ACurrentSettings.Window)));
    Data.Settings = LimitSettings(s);
    Data.Signals = ReadSignals(AIni, ACurrentCount, AFormat);
    return Data;
}

void WriteSettings(TIniFile& AIni, const TCalcSettings& ASettings, const TFormatSettings& AFormat) {
    AIni.WriteString(ProjectGeneralSection, QStringLiteral("dt"),
                     FloatToFileText(ASettings.dt, AFormat));
    AIni.WriteString(ProjectGeneralSection, QStringLiteral("M"), IntToFileText(ASettings.M));
    AIni.WriteString(ProjectGeneralSection, QStringLiteral("C"),
                     FloatToFileText(ASettings.C, AFormat));
    AIni.WriteString(Dft, QStringLiteral("N"), IntToFileText(ASettings.N));
    AIni.WriteString(Dft, QStringLiteral("K"), IntToFileText(ASettings.K));
    AIni.WriteString(Dft, QStringLiteral("Window"),
                     IntToFileText(static_cast<int>(ASettings.Window)));
}

void WriteSignals(TIniFile& AIni, const TSignals& ASignals, const TFormatSettings& AFormat) {
    AIni.WriteString(ProjectGeneralSection, QStringLiteral("SignalsCount"),
                     IntToFileText(ASignals.Count()));
    // The signals' sections and the general one at least.
    AIni.ReserveSections(static_cast<std::size_t>(ASignals.Count()) + 1);
    for (int i = 0; i < ASignals.Count(); ++i) {
        const TSignal& s = ASignals[i];
        AIni.WriteStrings(SignalSection(i),
                          {{u"Active", BoolToFileText(s.Active())},
                           {u"Amplitude", FloatToFileText(s.Amplitude(), AFormat)},
                           {u"Velocity", FloatToFileText(s.Velocity(), AFormat)},
                           {u"Frequency", FloatToFileText(s.Frequency(), AFormat)},
                           {u"DampingFactor", FloatToFileText(s.DF(), AFormat)},
                           {u"Fi", FloatToFileText(s.Fi(), AFormat)}});
    }
}

void OpenProject(const QString& AFileName, TCalcSettings& ASettings, TSignals& ASignals,
                 const TFormatSettings& AFormat) {
    TProjectData Data =
        ReadProject(TIniFile::Load(AFileName), ASettings, ASignals.Count(), AFormat);
    ASettings = Data.Settings;
    ASignals.Clear();
    for (auto& s : Data.Signals)
        ASignals.Add(std::move(s));
}

void SaveProject(const QString& AFileName, const TCalcSettings& ASettings, const TSignals& ASignals,
                 const TFormatSettings& AFormat) {
    TIniFile Ini = LoadForSaving(AFileName);
    WriteSettings(Ini, ASettings, AFormat);
    WriteSignals(Ini, ASignals, AFormat);
    Ini.Save(AFileName);
}

std::vector<TRecordProblem> OpenProject(const QString& AFileName, TProject& AProject,
                                        std::uint64_t AAvailableBytes,
                                        const TFormatSettings& AFormat) {
    const TIniFile Ini = TIniFile::Load(AFileName);
    TProjectData Data =
        ReadProject(Ini, AProject.CalcSettings, AProject.Signals().Count(), AFormat);
    Data.Records = ReadRecordEntries(Ini, QFileInfo(AFileName).absolutePath(), AFormat);
    std::vector<TRecordProblem> Problems = LoadRecordSamples(Data.Records, AAvailableBytes);
    AProject.CalcSettings = Data.Settings;
    AProject.Signals().Clear();
    for (auto& s : Data.Signals)
        AProject.Signals().Add(std::move(s));
    AProject.Records().Clear();
    for (auto& r : Data.Records)
        AProject.Records().Add(std::move(r));
    return Problems;
}

void SaveProject(const QString& AFileName, const TProject& AProject,
                 const TFormatSettings& AFormat) {
    TIniFile Ini = LoadForSaving(AFileName);
    WriteSettings(Ini, AProject.CalcSettings, AFormat);
    WriteSignals(Ini, AProject.Signals(), AFormat);
    WriteRecords(Ini, AProject.Records(), QFileInfo(AFileName).absolutePath(), AFormat);
    Ini.Save(AFileName);
}

void TSignals::LoadFromFile(const QString& AFileName) {
    auto Signals = ReadSignals(TIniFile::Load(AFileName), Count());
    Clear();
    for (auto& s : Signals)
        Add(std::move(s));
}

void TSignals::SaveToFile(const QString& AFileName) const {
    TIniFile Ini = LoadForSaving(AFileName);
    WriteSignals(Ini, *this);
    Ini.Save(AFileName);
}
