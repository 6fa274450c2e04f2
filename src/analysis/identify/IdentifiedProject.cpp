// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/identify/IdentifiedProject.h"

#include "analysis/identify/IdentifiedSignals.h"
#include "util/Errors.h"

#include <memory>

void UseIdentified(TSignals& ASignals, double& AConstant, const TIdentification& AResult,
                   const std::vector<bool>& AChosen, TIdentifiedUse AUse) {
    std::vector<std::unique_ptr<TSignal>> Made;
    for (std::size_t i = 0; i < AResult.Oscillations.size(); ++i)
        if (AChosen.empty() || (i < AChosen.size() && AChosen[i]))
            Made.push_back(IdentifiedSignal(AResult.Oscillations[i], AResult.StartTime));
    if (Made.empty())
        throw EVibronaError(QStringLiteral("Не выбрано ни одного колебания"));
    if (AUse == TIdentifiedUse::Replace) {
        ASignals.Clear();
        AConstant = AResult.Constant;
    }
    for (std::unique_ptr<TSignal>& Signal : Made)
        ASignals.Add(std::move(Signal));
}

void SwitchOffIdentifiedRecords(TRecords& ARecords, int ARecord) {
    for (int i = 0; i < ARecords.Count(); ++i)
        if (ARecord < 0 ? ARecords[i].Contributes() : i == ARecord)
            ARecords[i].SetActive(false);
}
