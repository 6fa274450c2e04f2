// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/Signal.h"
#include "TestLocales.h"
#include "util/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

// A signal whose derived fields carry recognisable values from an earlier Calc,
// so that a test can see which ones a failing Calc overwrote.
TSignal Prepared(double A, double V, double F, double D) {
    TSignal s(1, 0, 10, 5);
    EXPECT_EQ(s.Calc(DotLocale()), 0);
    s.SetAmplitude(A);
    s.SetVelocity(V);
    s.SetFrequency(F);
    s.SetDF(D);
    return s;
}

TEST(SignalConstruction, Defaults) {
    const TSignal s;
    EXPECT_EQ(s.Amplitude(), 0.015);
    EXPECT_EQ(s.Velocity(), 0);
    EXPECT_EQ(s.Frequency(), 40);
    EXPECT_EQ(s.DF(), 50);
    EXPECT_TRUE(s.Active());
    EXPECT_EQ(s.W(), 0);
    EXPECT_EQ(s.Wd(), 0);
    EXPECT_EQ(s.Fd(), 0);
    EXPECT_EQ(s.A(), 0);
    EXPECT_EQ(s.Fi(), 0);
    EXPECT_TRUE(s.Formula().isEmpty());

    const TSignal g(1, 2, 3, 4);
    EXPECT_EQ(g.Amplitude(), 1);
    EXPECT_EQ(g.Velocity(), 2);
    EXPECT_EQ(g.Frequency(), 3);
    EXPECT_EQ(g.DF(), 4);
    EXPECT_TRUE(g.Active());
}

TEST(SignalCalc, DefaultDampedOscillation) {
    TSignal s;
    ASSERT_EQ(s.Calc(DotLocale()), 0);
    EXPECT_NEAR(s.W(), 251.3274123, 1e-7);
    EXPECT_NEAR(s.Wd(), 246.3036097, 1e-7);
    EXPECT_NEAR(s.Fd(), 39.200437, 1e-6);
    EXPECT_NEAR(s.Fi(), 1.3705164, 1e-7);
    EXPECT_NEAR(s.A(), 0.015306, 1e-6);
    EXPECT_DOUBLE_EQ(s.W(), 80 * Pi);
    EXPECT_DOUBLE_EQ(s.Wd(), std::sqrt(80 * Pi * 80 * Pi - 2500));
    EXPECT_EQ(s.Formula(),
              QStringLiteral("y = 0.015306 * Exp(-50.0 * t) * sin(246.3036097 * t + 1.3705164)"));
    // The damped value at t = 0 equals the initial displacement.
    EXPECT_NEAR(s.A() * std::sin(s.Fi()), 0.015, 1e-15);
}

TEST(SignalCalc, FormulaUsesTheLocale) {
    TSignal s;
    ASSERT_EQ(s.Calc(RussianLocale()), 0);
    EXPECT_EQ(s.Formula(),
              QStringLiteral("y = 0,015306 * Exp(-50,0 * t) * sin(246,3036097 * t + 1,3705164)"));
}

// A second Calc keeps the formula only while what it shows is unchanged.
TEST(SignalCalc, FormulaFollowsTheLastCalc) {
    TSignal s;
    ASSERT_EQ(s.Calc(DotLocale()), 0);
    ASSERT_EQ(s.Calc(RussianLocale()), 0);
    EXPECT_EQ(s.Formula(),
              QStringLiteral("y = 0,015306 * Exp(-50,0 * t) * sin(246,3036097 * t + 1,3705164)"));
    s.SetDF(0);
    s.SetFi(0.25);
    ASSERT_EQ(s.Calc(RussianLocale()), 0);
    EXPECT_EQ(s.Formula(), QStringLiteral("y = 0,015 * sin(251,3274123 * t + 0,25)"));
    s.SetFi(0.0);
    ASSERT_EQ(s.Calc(RussianLocale()), 0);
    EXPECT_EQ(s.Formula(), QStringLiteral("y = 0,015 * sin(251,3274123 * t + 0,0)"));
}

TEST(SignalCalc, SineWave) {
    TSignal s(1, 5, 50, 0);
    s.SetFi(0.5);
    ASSERT_EQ(s.Calc(DotLocale()), 0);
    EXPECT_DOUBLE_EQ(s.W(), 100 * Pi);
    EXPECT_EQ(s.Wd(), s.W());
    EXPECT_NEAR(s.Fd(), 50, 1e-12);
    EXPECT_EQ(s.A(), 1);
    EXPECT_EQ(s.Velocity(), 0);
    EXPECT_EQ(s.Fi(), 0.5);
    EXPECT_EQ(s.Formula(), QStringLiteral("y = 1.0 * sin(314.1592654 * t + 0.5)"));
}

TEST(SignalCalc, SineWaveKeepsSignAndShowsNegativePhase) {
    TSignal s(-2, 0, 50, 0);
    s.SetFi(-0.5);
    ASSERT_EQ(s.Calc(DotLocale()), 0);
    EXPECT_EQ(s.A(), -2);
    EXPECT_EQ(s.Formula(), QStringLiteral("y = -2.0 * sin(314.1592654 * t + -0.5)"));
}

TEST(SignalCalc, TinyPositiveDampingIsASineWaveThatKeepsIt) {
    TSignal s(1, 3, 50, 0.000000005);
    ASSERT_EQ(s.Calc(DotLocale()), 0);
    EXPECT_EQ(s.DF(), 0.000000005);
    EXPECT_EQ(s.Velocity(), 0);
    EXPECT_EQ(s.Wd(), s.W());
}

TEST(SignalCalcFailures, FrequencyUpdatesNothing) {
    for (double F : {0.0, 0.000000005, -1.0, 1e-8}) {
        TSignal s = Prepared(1, 0, F, 5);
        const double W = s.W(), Wd = s.Wd(), Fd = s.Fd(), A = s.A(), Fi = s.Fi();
        const QString Formula = s.Formula();
        EXPECT_EQ(s.Calc(DotLocale()), 1) << F;
        EXPECT_EQ(s.W(), W);
        EXPECT_EQ(s.Wd(), Wd);
        EXPECT_EQ(s.Fd(), Fd);
        EXPECT_EQ(s.A(), A);
        EXPECT_EQ(s.Fi(), Fi);
        EXPECT_EQ(s.Formula(), Formula);
    }
}

TEST(SignalCalcFailures, NegativeDampingUpdatesOnlyW) {
    TSignal s = Prepared(1, 0, 50, -0.000000005);
    const double Wd = s.Wd(), Fd = s.Fd(), A = s.A();
    EXPECT_EQ(s.Calc(DotLocale()), 2);
    EXPECT_DOUBLE_EQ(s.W(), 100 * Pi);
    EXPECT_EQ(s.Wd(), Wd);
    EXPECT_EQ(s.Fd(), Fd);
    EXPECT_EQ(s.A(), A);
}

TEST(SignalCalcFailures, DampingAboveWUpdatesOnlyW) {
    TSignal s = Prepared(1, 0, 1, 50);
    const double Wd = s.Wd(), Fd = s.Fd();
    EXPECT_EQ(s.Calc(DotLocale()), 3);
    EXPECT_NEAR(s.W(), 6.2831853, 1e-7);
    EXPECT_EQ(s.Wd(), Wd);
    EXPECT_EQ(s.Fd(), Fd);
}

TEST(SignalCalcFailures, ZeroAmplitudeUpdatesWWdFd) {
    TSignal s = Prepared(0, 5, 40, 50);
    const double A = s.A(), Fi = s.Fi();
    const QString Formula = s.Formula();
    EXPECT_EQ(s.Calc(DotLocale()), 4);
    EXPECT_NEAR(s.Wd(), 246.3036097, 1e-7);
    EXPECT_NEAR(s.Fd(), 39.200437, 1e-6);
    EXPECT_EQ(s.A(), A);
    EXPECT_EQ(s.Fi(), Fi);
    EXPECT_EQ(s.Formula(), Formula);
    // The amplitude test holds for a sine wave as well.
    TSignal Sine(0.000000001, 0, 50, 0);
    EXPECT_EQ(Sine.Calc(DotLocale()), 4);
}

TEST(SignalCalcFailures, VelocityCancellingAmplitudeKeepsPhase) {
    TSignal s = Prepared(1, -50, 40, 50);
    const double Fi = s.Fi(), A = s.A();
    EXPECT_EQ(s.Calc(DotLocale()), 6);
    EXPECT_EQ(s.Fi(), Fi);
    EXPECT_EQ(s.A(), A);
    EXPECT_NEAR(s.Wd(), 246.3036097, 1e-7);
}

// The phase stays the one-argument arctangent; the amplitude carries the sign of
// A * D + V, and the formula shows it as a sine wave's does.
TEST(SignalCalc, StrongOpposingVelocityGivesNegativePhaseAndAmplitude) {
    TSignal s(1, -100, 40, 50);
    ASSERT_EQ(s.Calc(DotLocale()), 0);
    EXPECT_LT(s.Fi(), 0);
    EXPECT_GT(s.Fi(), -Pi / 2);
    EXPECT_LT(s.A(), 0);
    EXPECT_TRUE(s.Formula().startsWith(QStringLiteral("y = -"))) << s.Formula().toStdString();
    // Turning every sign over turns the oscillation over, phase unchanged.
    TSignal Flipped(-1, 100, 40, 50);
    ASSERT_EQ(Flipped.Calc(DotLocale()), 0);
    EXPECT_EQ(Flipped.Fi(), s.Fi());
    EXPECT_EQ(Flipped.A(), -s.A());
}

TEST(SignalCalc, DampingEqualToWRaisesDivisionByZeroAfterUpdating) {
    TSignal s(1, 0, 10, 5);
    ASSERT_EQ(s.Calc(DotLocale()), 0);
    const double W = s.W();
    s.SetDF(W); // W * W - D * D is exactly zero
    s.SetFi(0.7);
    try {
        s.Calc(DotLocale());
        FAIL() << "expected a division by zero";
    } catch (const EZeroDivide& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Floating point division by zero"));
    }
    EXPECT_EQ(s.Wd(), 0);
    EXPECT_EQ(s.Fd(), 0);
    EXPECT_EQ(s.Fi(), 0);
    EXPECT_EQ(s.W(), W);
    // With A * D + V zero as well the result code comes first.
    TSignal t(1, -W, 10, W);
    EXPECT_EQ(t.Calc(DotLocale()), 6);
}

TEST(SignalChangeParam, OperationsAndFields) {
    TSignal s;
    ASSERT_EQ(s.Calc(DotLocale()), 0);
    const double W = s.W();
    const QString Formula = s.Formula();
    s.ChangeParam(spFrequency, choMultiplication, 2);
    EXPECT_EQ(s.Frequency(), 80);
    EXPECT_EQ(s.W(), W);
    EXPECT_EQ(s.Formula(), Formula);
    s.ChangeParam(spPhase, choSetValue, 1);
    EXPECT_EQ(s.Fi(), 1);
    s.ChangeParam(spAmplitude, choAddition, -0.005);
    EXPECT_DOUBLE_EQ(s.Amplitude(), 0.01);
    s.ChangeParam(spVelocity, choAddition, 3);
    EXPECT_EQ(s.Velocity(), 3);
    s.ChangeParam(spDampingFactor, choSetValue, 0);
    EXPECT_EQ(s.DF(), 0);
    s.ChangeParam(static_cast<TSignalParams>(7), choSetValue, 99);
    s.ChangeParam(spAmplitude, static_cast<TChangeOperations>(9), 99);
    EXPECT_DOUBLE_EQ(s.Amplitude(), 0.01);

    double p = 3;
    TSignal::SetParam(p, choMultiplication, -2);
    EXPECT_EQ(p, -6);
}

} // namespace
