// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "util/Errors.h"

#include <functional>

// Called now and then from the computing thread with the share done, 0..1; returning
// false asks the computation to stop, which it does promptly by raising ECancelled.
using TProgressCallback = std::function<bool(double ADone)>;

// A computation stopped because its progress callback asked it to: "Расчет прерван".
class ECancelled : public EVibronaError {
public:
    ECancelled();
};

// Adds up the estimated seconds of the work done, as the workers report finished
// blocks, and consults the callback each time another tick of it is done. Used by
// one thread at a time. Without a callback it only counts.
class TProgress {
public:
    // Estimated seconds between two consultations of the callback, at most; a short
    // computation is consulted at every hundredth of it.
    static constexpr double TickSeconds = 0.01;

    TProgress() = default;
    TProgress(const TProgressCallback& ACallback, double ATotalSeconds);

    // Adds ASeconds of estimated work done; raises ECancelled when asked to stop.
    void Advance(double ASeconds);
    // Reports the whole work done.
    void Finish();
    // Whether anyone listens: a computation that is watched reports as often as it can.
    bool Watched() const { return FCallback != nullptr; }

private:
    void Report(double ADone);

    const TProgressCallback* FCallback = nullptr;
    double FTotal = 0;
    double FDone = 0;
    double FNextReport = 0;
    double FLastShare = 0;
};
