#include "analysis/CurveSynthesis.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A list of signals that passed Calc, built from (A, V, F, D, active) rows.
struct TRow {
    double A, V, F, D;
    bool Active;
};
void Fill(TSignals& AList, std::initializer_list<TRow> ARows) {
    for (const TRow& r : ARows) {
        auto s = std::make_unique<TSignal>(r.A, r.V, r.F, r.D);
        s->SetActive(r.Active);
        EXPECT_EQ(s->Calc(), 0);
        AList.Add(std::move(s));
    }
}

TEST(CurveSynthesis, DefaultsGiveTwoHundredPointsAtAccumulatedTime) {
    TSignals List;
    Fill(List, {{1, 0, 50, 60, true}});
    const TCalcSettings Settings;
    const TCurve Curve = SampleCurve(List, Settings);
    ASSERT_EQ(Curve.Time.size(), 200u);
    EXPECT_EQ(Curve.Time[0], 0);
    EXPECT_NEAR(Curve.Time[199], 0.04975, 1e-15);
    double t = 0;
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(Curve.Time[i], t); // the sum of i additions, not i * dt
        const TSignal& s = List[0];
        EXPECT_EQ(Curve.Value[i],
                  0 + (std::exp(-s.DF() * t) * s.A()) * std::sin(s.Wd() * t + s.Fi()));
        t = t + Settings.dt;
    }
    EXPECT_NEAR(Curve.Value[0], 1, 1e-15); // the initial displacement
}

TEST(CurveSynthesis, InactiveSignalsLeaveTheConstant) {
    TSignals List;
    Fill(List, {{1, 0, 50, 60, false}, {2, 0, 30, 0, false}});
    TCalcSettings Settings;
    Settings.C = 3;
    Settings.M = 16;
    const TCurve Curve = SampleCurve(List, Settings);
    ASSERT_EQ(Curve.Value.size(), 16u);
    for (double v : Curve.Value)
        EXPECT_EQ(v, 3);
}

// The rotation path against the expression evaluated in extended precision.
TEST(CurveSynthesis, LargeCurvesStayWithinOneBillionthOfTheExactExpression) {
    TSignals List;
    Fill(List, {{1, 0, 50, 60, true},
                {0.5, 0, 25450, 0, true},
                {-0.3, 0, 149.5, 0, true},
                {2, 10, 3, 1, true},
                {1, 0, 70, 0, false}});
    List[2].SetFi(0.7);
    TCalcSettings Settings;
    Settings.M = 300000;
    Settings.C = 0.25;
    const TCurve Curve = SampleCurve(List, Settings);
    ASSERT_EQ(Curve.Value.size(), 300000u);
    double MaxError = 0;
    for (std::size_t i = 0; i < Curve.Value.size(); i += 7) {
        const long double t = Curve.Time[i];
        long double Exact = Settings.C;
        double AmplitudeSum = 0;
        for (int j = 0; j < 4; ++j) {
            const TSignal& s = List[j];
            Exact += std::exp(-static_cast<long double>(s.DF()) * t) * s.A() *
                     std::sin(static_cast<long double>(s.Wd()) * t + s.Fi());
            AmplitudeSum += std::fabs(s.A());
        }
        MaxError = std::max(MaxError,
                            static_cast<double>(std::fabs(Curve.Value[i] - Exact)) / AmplitudeSum);
    }
    EXPECT_LT(MaxError, 1e-9);
}

TEST(CurveSynthesis, EmptyCurveForNoSamples) {
    TSignals List;
    Fill(List, {{1, 0, 50, 60, true}});
    TCalcSettings Settings;
    Settings.M = 0;
    EXPECT_TRUE(SampleCurve(List, Settings).Value.empty());
}

} // namespace
