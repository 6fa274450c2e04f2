// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as a project file: read, written and read again, then recalculated at a
// size that takes a fraction of a millisecond, now and then cancelled on the way.
#include "FuzzCheck.h"
#include "analysis/Recalculation.h"
#include "model/ProjectFile.h"
#include "util/IniFile.h"
#include "util/TextConvert.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

QByteArray WrittenBack(const TCalcSettings& ASettings, const TSignals& ASignals,
                       const TFormatSettings& AFormat) {
    TIniFile Ini;
    WriteSettings(Ini, ASettings, AFormat);
    WriteSignals(Ini, ASignals, AFormat);
    return Ini.Content();
}

void MoveInto(std::vector<std::unique_ptr<TSignal>>& ASignals, TSignals& AList) {
    for (auto& s : ASignals)
        AList.Add(std::move(s));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    const QByteArray Bytes(reinterpret_cast<const char*>(AData), static_cast<qsizetype>(ASize));
    const TFormatSettings Format = ASize % 2 ? TFormatSettings{QLatin1Char(','), QChar(0x00A0)}
                                             : TFormatSettings{QLatin1Char('.'), QLatin1Char(',')};
    // Reading is linear in the signal count: a hundred signals find what 100,000
    // would, much faster. Counts above the limit still reach the reader.
    TIniFile Ini(Bytes);
    const QString General = QStringLiteral("General"), Count = QStringLiteral("SignalsCount");
    const int Listed = TextToIntDef(Ini.ReadString(General, Count).value_or(QString()), 0);
    if (Listed > 100 && Listed <= MaxProjectSignals)
        Ini.WriteString(General, Count, QStringLiteral("100"));
    TProjectData Project;
    try {
        Project = ReadProject(Ini, TCalcSettings{}, 1, Format);
    } catch (const EVibronaError&) {
        return 0; // too many signals
    }
    TSignals List;
    MoveInto(Project.Signals, List);
    TCalcSettings& s = Project.Settings;

    // What a save writes, an open reads back to the same text.
    const QByteArray Saved = WrittenBack(s, List, Format);
    TProjectData Reread = ReadProject(TIniFile(Saved), TCalcSettings{}, 1, Format);
    TSignals Again;
    MoveInto(Reread.Signals, Again);
    FUZZ_CHECK(WrittenBack(Reread.Settings, Again, Format) == Saved);

    try {
        CheckSignals(List, Format);
    } catch (const EInvalidSignal&) {
        return 0;
    } catch (const EOutOfRange&) {
        return 0;
    }
    while (List.Count() > 16)
        List.Delete(List.Count() - 1);
    while (EstimateCost(List, s).Seconds > 0.0003 && (s.M > 1 || s.K > 1)) {
        s.M = std::max(1, s.M / 2);
        s.K = std::max(1, s.K / 2);
    }
    const int StopAt = Bytes.isEmpty() ? 0 : static_cast<unsigned char>(Bytes.back()) % 6;
    int Calls = 0;
    double Last = 0;
    try {
        const TCalcResult r = ComputeResults(List, s, nullptr, [&](double ADone) {
            FUZZ_CHECK(ADone >= Last && ADone <= 1);
            Last = ADone;
            return ++Calls != StopAt;
        });
        FUZZ_CHECK(r.CurveTime.size() == static_cast<std::size_t>(s.M));
        FUZZ_CHECK(r.CurveValue.size() == r.CurveTime.size());
        FUZZ_CHECK(r.SpectrumMagnitude.size() == static_cast<std::size_t>(s.K));
        FUZZ_CHECK(r.SpectrumFrequency.size() == r.SpectrumMagnitude.size());
        FUZZ_CHECK(r.Characteristic.size() >= std::min<std::size_t>(5, s.K));
        FUZZ_CHECK(Last == 1);
        // Nothing that is not a number ever reaches the views or the files.
        const auto Finite = [](double v) { return std::isfinite(v); };
        FUZZ_CHECK(std::all_of(r.CurveValue.begin(), r.CurveValue.end(), Finite));
        FUZZ_CHECK(std::all_of(r.CurveTime.begin(), r.CurveTime.end(), Finite));
        FUZZ_CHECK(std::all_of(r.SpectrumMagnitude.begin(), r.SpectrumMagnitude.end(), Finite));
        FUZZ_CHECK(std::all_of(r.SpectrumFrequency.begin(), r.SpectrumFrequency.end(), Finite));
    } catch (const ECancelled&) {
        FUZZ_CHECK(Calls == StopAt);
    } catch (const EOutOfRange&) {
    }
    return 0;
}
