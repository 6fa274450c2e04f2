#pragma once

#include "analysis/Recalculation.h"

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

    TCalcResult operator()(const TCalcCost& ACost, const TComputation& ACompute) const;

private:
    TCalcResult RunInBackground(const TComputation& ACompute) const;

    QWidget* FOwner;
};
