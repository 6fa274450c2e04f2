// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "batch/BatchIdentify.h"

#include "analysis/TextExport.h"
#include "analysis/identify/IdentifiedProject.h"
#include "util/Errors.h"

#include <algorithm>
#include <vector>

std::optional<int> ParseIdentifyCount(const QString& AText) {
    bool Ok = false;
    const int Count = AText.toInt(&Ok);
    if (!Ok || Count < 1 || Count > IdentifyMaxCount)
        return std::nullopt;
    return Count;
}

QString IdentifyCountError(const QString& AText) {
    return QStringLiteral("Неверное число колебаний: %1 (допустимо от 1 до %2)")
        .arg(AText)
        .arg(IdentifyMaxCount);
}

TIdentification IdentifyCurve(const TCalcResult& AResult, double Adt, int AMaxCount,
                              std::uint64_t AAvailableBytes) {
    CheckMemory(EstimateIdentifyCost(AResult.CurveValue.size(), AMaxCount), AAvailableBytes);
    TIdentifyOptions Options;
    Options.MaxCount = AMaxCount;
    return IdentifyOscillations(AResult.CurveValue, Adt, Options);
}

QByteArray IdentificationText(const TIdentification& AResult) {
    std::vector<TOscillation> Sorted = AResult.Oscillations;
    std::stable_sort(Sorted.begin(), Sorted.end(),
                     [](const TOscillation& a, const TOscillation& b) { return a.F < b.F; });
    std::vector<std::vector<double>> Rows;
    Rows.reserve(Sorted.size());
    for (const TOscillation& o : Sorted)
        Rows.push_back({o.F, o.D, o.A, o.V});
    return NumberRowsText(Rows);
}

void UseIdentifiedProject(TSignals& ASignals, TCalcSettings& ASettings,
                          const TIdentification& AResult) {
    if (AResult.Oscillations.empty())
        throw EVibronaError(
            QStringLiteral("В кривой не найдено ни одного колебания: проект не сохранен"));
    UseIdentified(ASignals, ASettings.C, AResult, {}, TIdentifiedUse::Replace);
    CheckSignals(ASignals);
}
