// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/Recalculation.h"

#include <functional>
#include <optional>

class QWidget;

// Runs the heavy part of a recalculation. A short one runs in place behind the
// hourglass. A long one runs on a worker thread while a small modal window shows its
// progress and offers "Отмена" (Escape too); the main window keeps painting. A cancel
// raises ECancelled once the worker has stopped.
class TProgressRunner {
public:
    // Estimated seconds above which a run gets the progress window.
    static constexpr double LongRunSeconds = 0.5;

    explicit TProgressRunner(QWidget* AOwner) : FOwner(AOwner) {}

    TCalcResult operator()(const TCalcCost& ACost, const TComputation& ACompute) const {
        return Run<TCalcResult>(ACost, ACompute);
    }

    // Any other long computation, the same way.
    template <typename TResult>
    TResult Run(const TCalcCost& ACost,
                const std::function<TResult(const TProgressCallback&)>& ACompute) const {
        std::optional<TResult> Result;
        Run(ACost.Seconds,
            [&](const TProgressCallback& AProgress) { Result = ACompute(AProgress); });
        return std::move(*Result);
    }

private:
    using TWork = std::function<void(const TProgressCallback& AProgress)>;
    void Run(double ASeconds, const TWork& AWork) const;
    void RunInBackground(const TWork& AWork) const;

    QWidget* FOwner;
};
