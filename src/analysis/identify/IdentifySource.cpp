// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/identify/IdentifySource.h"

#include "analysis/RecordCurve.h"
#include "analysis/identify/Identification.h"
#include "util/Errors.h"

#include <algorithm>
#include <cmath>
#include <span>

TCurveSpan CurveSpan(std::size_t ASamples, double Adt, double AStart, double AEnd) {
    constexpr double Slack = 1e-6;
    const double Last = static_cast<double>(ASamples) - 1;
    TCurveSpan Span;
    if (ASamples > 0 && Adt > 0 && std::isfinite(AStart) && std::isfinite(AEnd)) {
        const double First = std::max(0.0, std::ceil(AStart / Adt - Slack));
        const double End = std::min(Last, std::floor(AEnd / Adt + Slack));
        if (First <= End) {
            Span.First = static_cast<std::size_t>(First);
            Span.Count = static_cast<std::size_t>(End - First) + 1;
        }
    }
    if (Span.Count < IdentifyMinSamples)
        throw EVibronaError(
            QStringLiteral("Участок слишком короткий: для подбора колебаний нужно не менее %1 "
                           "отсчетов")
                .arg(IdentifyMinSamples));
    return Span;
}

std::vector<double> RecordCurveSpan(const TRecord& ARecord, double Adt, std::size_t AFirst,
                                    std::size_t ACount) {
    std::vector<double> Values(ACount, 0.0);
    AddRecordToCurve(ARecord, Adt, AFirst, std::span<double>(Values));
    return Values;
}
