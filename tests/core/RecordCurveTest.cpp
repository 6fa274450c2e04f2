// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/RecordCurve.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::unique_ptr<TRecord> MakeRecord(std::vector<double> AValues, double AStep, double AGain = 1,
                                    double AShift = 0, double AStart = 0) {
    auto r = std::make_unique<TRecord>(QStringLiteral("r.wav"));
    r->SetSamples({std::move(AValues), AStep, AStart, 1});
    r->SetGain(AGain);
    r->SetShift(AShift);
    return r;
}

std::vector<double> Curve(const TRecord& ARecord, double Adt, std::size_t M) {
    std::vector<double> v(M, 0.0);
    AddRecordToCurve(ARecord, Adt, 0, v);
    return v;
}

// Values worked by hand: the record's samples at its own times, read at i * dt - shift.
TEST(RecordCurve, InterpolatesScalesAndShifts) {
    const std::vector<double> s{0, 10, 20, 40};
    const struct {
        const char* Name;
        double Step, Gain, Shift, Start;
        std::vector<double> Expected; // at dt = 0.001
    } Cases[] = {
        {"same step", 0.001, 1, 0, 0, {0, 10, 20, 40, 0, 0}},
        {"double step", 0.002, 1, 0, 0, {0, 5, 10, 15, 20, 30, 40, 0}},
        {"gain", 0.001, -0.5, 0, 0, {-0, -5, -10, -20, 0}},
        {"two samples late", 0.001, 1, 0.002, 0, {0, 0, 0, 10, 20, 40, 0}},
        {"one sample early", 0.001, 1, -0.001, 0, {10, 20, 40, 0}},
        {"half a sample late", 0.001, 2, 0.0005, 0, {0, 10, 30, 60, 0}},
        {"starts later", 0.001, 1, 0, 0.001, {0, 0, 10, 20, 40, 0}},
        {"step follows dt", 0, 1, 0, 0, {0, 10, 20, 40, 0}},
        {"half step", 0.0005, 1, 0, 0, {0, 20, 0, 0}},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Name);
        const auto r = MakeRecord(s, c.Step, c.Gain, c.Shift, c.Start);
        const std::vector<double> v = Curve(*r, 0.001, c.Expected.size());
        for (std::size_t i = 0; i < v.size(); ++i)
            EXPECT_NEAR(v[i], c.Expected[i], 1e-12) << i;
    }
}

// A record at the curve's step reproduces its samples bit for bit, in blocks too.
TEST(RecordCurve, SameStepAddsTheSamplesExactlyInAnyBlocks) {
    std::vector<double> s;
    for (int i = 0; i < 1000; ++i)
        s.push_back(1.0 / (i + 3) - 0.1 * (i % 7));
    const auto r = MakeRecord(s, 0.00025);
    std::vector<double> Whole(1200, 0.0), Blocks(1200, 0.0);
    AddRecordToCurve(*r, 0.00025, 0, Whole);
    const std::size_t Bounds[] = {0, 7, 500, 999, 1001, 1200};
    for (std::size_t b = 0; b + 1 < std::size(Bounds); ++b)
        AddRecordToCurve(*r, 0.00025, Bounds[b],
                         std::span(Blocks).subspan(Bounds[b], Bounds[b + 1] - Bounds[b]));
    for (std::size_t i = 0; i < 1200; ++i) {
        EXPECT_EQ(Whole[i], i < 1000 ? s[i] : 0) << i;
        EXPECT_EQ(Blocks[i], Whole[i]) << i;
    }
}

TEST(RecordCurve, OnlyActiveRecordsThatWereReadAdd) {
    TRecords List;
    List.Add(MakeRecord({1, 1}, 0.001));
    List.Add(MakeRecord({10, 10}, 0.001));
    List.Add(MakeRecord({100, 100}, 0.001));
    List.Add(MakeRecord({1000, 1000}, 0.002, 1, 0.001));
    List[1].SetActive(false);
    List[2].SetMissing();
    std::vector<double> v{0.5, 0.5, 0.5, 0.5};
    AddRecordsToCurve(List, 0.001, 0, v);
    EXPECT_EQ(v, (std::vector<double>{1.5, 1001.5, 1000.5, 1000.5}));
}

} // namespace
