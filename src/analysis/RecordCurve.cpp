// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/RecordCurve.h"

#include <algorithm>
#include <cmath>

void AddRecordToCurve(const TRecord& ARecord, double Adt, std::size_t AFirst,
                      std::span<double> ABlock) {
    const std::vector<double>& s = ARecord.Samples();
    const double Step = ARecord.StepFor(Adt);
    if (s.empty() || !(Step > 0) || !(Adt > 0))
        return;
    const double Gain = ARecord.Gain();
    const std::size_t n = ABlock.size();
    // Position of curve sample i among the record's samples: i * Ratio - Offset. The
    // ratio is exactly 1 when the steps agree, so that the positions are whole.
    const double Ratio = Adt / Step;
    const double Offset = (ARecord.Shift() + ARecord.Start()) / Step;
    if (!std::isfinite(Ratio) || !std::isfinite(Offset))
        return;

    if (Ratio == 1 && Offset == std::floor(Offset) && std::abs(Offset) < 0x1p52) {
        // Curve sample AFirst + k takes record sample AFirst + k - Delay.
        const auto Delay = static_cast<long long>(Offset);
        const long long First = static_cast<long long>(AFirst) - Delay;
        const long long Begin = std::clamp<long long>(-First, 0, static_cast<long long>(n));
        const long long End = std::clamp<long long>(static_cast<long long>(s.size()) - First, Begin,
                                                    static_cast<long long>(n));
        const double* Source = s.data() + (First + Begin);
        for (long long k = Begin; k < End; ++k)
            ABlock[static_cast<std::size_t>(k)] += Gain * Source[k - Begin];
        return;
    }

    const auto Position = [&](std::size_t k) {
        return static_cast<double>(AFirst + k) * Ratio - Offset;
    };
    // The first k whose position reaches ALimit; positions rise with k.
    const auto FirstReaching = [&](double ALimit) {
        const double Guess = std::ceil((ALimit + Offset) / Ratio) - static_cast<double>(AFirst);
        std::size_t k = Guess <= 0                        ? 0
                        : Guess >= static_cast<double>(n) ? n
                                                          : static_cast<std::size_t>(Guess);
        while (k > 0 && Position(k - 1) >= ALimit)
            --k;
        while (k < n && Position(k) < ALimit)
            ++k;
        return k;
    };
    const double Last = static_cast<double>(s.size() - 1);
    const std::size_t Begin = FirstReaching(0);
    const std::size_t Inner = std::max(Begin, FirstReaching(Last));
    // Between two samples, in a form that cannot overflow; at a whole position it
    // gives the sample itself.
    for (std::size_t k = Begin; k < Inner; ++k) {
        const double p = Position(k);
        const auto j = static_cast<std::size_t>(p);
        const double f = p - static_cast<double>(j);
        ABlock[k] += Gain * ((1 - f) * s[j] + f * s[j + 1]);
    }
    // On the last sample itself.
    for (std::size_t k = Inner; k < n && Position(k) == Last; ++k)
        ABlock[k] += Gain * s.back();
}

void AddRecordsToCurve(const TRecords& ARecords, double Adt, std::size_t AFirst,
                       std::span<double> ABlock) {
    for (int i = 0; i < ARecords.Count(); ++i)
        if (ARecords[i].Contributes())
            AddRecordToCurve(ARecords[i], Adt, AFirst, ABlock);
}
