// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/SignalTypes.h"
#include "util/FormatSettings.h"

#include <QString>

#include <cstdint>
#include <numbers>

// A frequency, damping factor or amplitude within this of zero counts as zero.
inline constexpr double SignalTolerance = 1e-8;
// Angular frequencies are derived in extended precision.
inline constexpr long double SignalPi = std::numbers::pi_v<long double>;

// One component signal: a free damped oscillation, or a pure sine wave when the
// damping factor is within 1e-8 of zero. After a successful Calc its value at t is
// A() * exp(-DF() * t) * sin(Wd() * t + Fi()); a damped oscillation starts there at
// Amplitude() with the slope Velocity(), its A() signed to make it so.
class TSignal {
public:
    TSignal() = default;
    TSignal(double AAmplitude, double AVelocity, double AFrequency, double ADampingFactor);
    // Virtual like every owned object's, so a list may hold derived signals.
    virtual ~TSignal() = default;
    TSignal(const TSignal&) = default;
    TSignal& operator=(const TSignal&) = default;

    // Validates the inputs and derives W, Wd, Fd, A, Fi and Formula.
    // 0: valid; 1: F <= 1e-8; 2: D < 0; 3: D > W; 4: A within 1e-8 of zero;
    // 6: damped with A * D + V exactly 0. Raises EZeroDivide when D equals W.
    int Calc(const TFormatSettings& AFormat = TFormatSettings::Default());

    static void SetParam(double& AParam, TChangeOperations AOperation, double Value);
    void ChangeParam(TSignalParams AParam, TChangeOperations AOperation, double Value);

    double Amplitude() const { return FAmplitude; }
    void SetAmplitude(double AValue) { FAmplitude = AValue; }
    double Velocity() const { return FVelocity; }
    void SetVelocity(double AValue) { FVelocity = AValue; }
    double Frequency() const { return FFrequency; }
    void SetFrequency(double AValue) { FFrequency = AValue; }
    double DF() const { return FDF; }
    void SetDF(double AValue) { FDF = AValue; }
    bool Active() const { return FActive; }
    void SetActive(bool AValue) { FActive = AValue; }
    double Fi() const { return FFi; }
    void SetFi(double AValue) { FFi = AValue; }

    double W() const { return FW; }
    double Fd() const { return FFd; }
    double Wd() const { return FWd; }
    double A() const { return FA; }
    const QString& Formula() const { return FFormula; }

private:
    // What the formula text was made from.
    struct TFormulaKey {
        bool SineWave = false;
        std::uint64_t A = 0, DF = 0, Wd = 0, Fi = 0;
        QChar DecimalSeparator, ThousandSeparator;
        bool operator==(const TFormulaKey&) const = default;
    };
    bool FormulaIsStale(bool ASineWave, const TFormatSettings& AFormat);

    double FAmplitude = 0.015;
    double FVelocity = 0;
    double FFrequency = 40;
    double FDF = 50;
    bool FActive = true;
    double FW = 0;
    double FFd = 0;
    double FWd = 0;
    double FA = 0;
    double FFi = 0;
    QString FFormula;
    TFormulaKey FFormulaKey;
};
