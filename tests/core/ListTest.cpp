// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/SignalList.h"
#include "model/Spectrum.h"
#include "util/Errors.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

namespace {

// A signal that records its own destruction, to observe ownership.
class TTracedSignal : public TSignal {
public:
    TTracedSignal(int AId, std::vector<int>& ALog)
        : TSignal(AId, 0, 40, 50), FId(AId), FLog(ALog) {}
    ~TTracedSignal() { FLog.push_back(FId); }

private:
    int FId;
    std::vector<int>& FLog;
};

struct ListFixture : ::testing::Test {
    std::vector<int> Destroyed;
    std::vector<int> CountsSeen;
    TSignals List;

    void SetUp() override {
        List.SetOnChangeCount([this](TSignals& Sender) { CountsSeen.push_back(Sender.Count()); });
    }
    std::unique_ptr<TSignal> Make(int AId) {
        return std::make_unique<TTracedSignal>(AId, Destroyed);
    }
    void Fill(int n) {
        for (int i = 1; i <= n; ++i)
            List.Add(Make(i));
        CountsSeen.clear();
    }
    double IdAt(int i) const { return List[i].Amplitude(); }
};

TEST_F(ListFixture, AddReturnsPositionAndNotifiesAfterGrowing) {
    EXPECT_EQ(List.Add(Make(1)), 0);
    EXPECT_EQ(List.Count(), 1);
    EXPECT_EQ(List.Add(Make(2)), 1);
    EXPECT_EQ(CountsSeen, (std::vector<int>{1, 2}));
    EXPECT_TRUE(Destroyed.empty());
}

TEST_F(ListFixture, InsertAtEndAndFront) {
    Fill(2);
    List.Insert(List.Count(), Make(3));
    List.Insert(0, Make(4));
    ASSERT_EQ(List.Count(), 4);
    EXPECT_EQ(IdAt(0), 4);
    EXPECT_EQ(IdAt(1), 1);
    EXPECT_EQ(IdAt(2), 2);
    EXPECT_EQ(IdAt(3), 3);
    EXPECT_EQ(CountsSeen, (std::vector<int>{3, 4}));
}

TEST_F(ListFixture, DeleteNotifiesBeforeDestroying) {
    Fill(3);
    List.SetOnChangeCount([this](TSignals& Sender) {
        CountsSeen.push_back(Sender.Count());
        // The leaving signal is not destroyed yet when the handler runs.
        EXPECT_TRUE(Destroyed.empty());
    });
    List.Delete(1);
    List.SetOnChangeCount(nullptr);
    EXPECT_EQ(CountsSeen, (std::vector<int>{2}));
    EXPECT_EQ(Destroyed, (std::vector<int>{2}));
    EXPECT_EQ(IdAt(1), 3);
}

TEST_F(ListFixture, ClearGoesFromLastToFirst) {
    Fill(3);
    List.Clear();
    EXPECT_EQ(CountsSeen, (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(Destroyed, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(List.Count(), 0);
}

TEST_F(ListFixture, ReplacingBySelfDoesNothing) {
    Fill(3);
    List.SetSignals(1, std::unique_ptr<TSignal>(&List[1]));
    EXPECT_TRUE(CountsSeen.empty());
    EXPECT_TRUE(Destroyed.empty());
    EXPECT_EQ(IdAt(1), 2);
}

TEST_F(ListFixture, ReplacingByAnotherDestroysTheOldAndFiresTwice) {
    Fill(3);
    List.SetSignals(1, Make(9));
    EXPECT_EQ(CountsSeen, (std::vector<int>{3, 3}));
    EXPECT_EQ(Destroyed, (std::vector<int>{2}));
    EXPECT_EQ(IdAt(1), 9);
}

TEST_F(ListFixture, OutOfRangePositionsRaiseAndChangeNothing) {
    Fill(2);
    const auto ExpectIndexError = [](auto&& AAction, int AIndex) {
        try {
            AAction();
            ADD_FAILURE() << "no error for " << AIndex;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (%1)").arg(AIndex));
        }
    };
    ExpectIndexError([&] { (void)List[2]; }, 2);
    ExpectIndexError([&] { (void)List[-1]; }, -1);
    ExpectIndexError([&] { List.Delete(5); }, 5);
    ExpectIndexError([&] { List.Insert(3, Make(7)); }, 3);
    ExpectIndexError([&] { List.SetSignals(2, Make(8)); }, 2);
    EXPECT_EQ(List.Count(), 2);
    EXPECT_TRUE(CountsSeen.empty());
    // The rejected signals were never the list's and are gone with their owners.
    EXPECT_EQ(Destroyed, (std::vector<int>{7, 8}));
}

TEST_F(ListFixture, ChangeParamReachesEverySignalWithoutNotifying) {
    Fill(3);
    List[1].SetActive(false);
    List.ChangeParam(spAmplitude, choMultiplication, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(List[i].Amplitude(), 0);
    EXPECT_TRUE(CountsSeen.empty());
    TSignals Empty;
    Empty.ChangeParam(spAmplitude, choMultiplication, 0);
    EXPECT_EQ(Empty.Count(), 0);
}

// A change that would overflow one signal changes none.
TEST_F(ListFixture, ChangeParamBeyondTheRangeOfNumbersChangesNothing) {
    Fill(3);
    List[2].SetFrequency(1e300);
    const struct {
        double Factor;
        int First; // the first signal it would overflow
    } Cases[] = {{1e10, 2}, {std::numeric_limits<double>::infinity(), 0}};
    for (const auto& c : Cases) {
        try {
            List.ChangeParam(spFrequency, choMultiplication, c.Factor);
            ADD_FAILURE() << c.Factor;
        } catch (const EVibronaError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Изменение дает значение вне диапазона чисел "
                                                  "в сигнале [%1]. Сигналы не изменены.")
                                       .arg(c.First));
        }
        EXPECT_EQ(List[0].Frequency(), 40);
        EXPECT_EQ(List[2].Frequency(), 1e300);
    }
}

TEST(ListDestruction, DestroysFromLastToFirstWithNotifications) {
    std::vector<int> Destroyed, Counts;
    {
        TSignals List;
        for (int i = 1; i <= 3; ++i)
            List.Add(std::make_unique<TTracedSignal>(i, Destroyed));
        List.SetOnChangeCount([&](TSignals& Sender) { Counts.push_back(Sender.Count()); });
    }
    EXPECT_EQ(Destroyed, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(Counts, (std::vector<int>{2, 1, 0}));
}

TEST(SpectrumList, OwnsAndSortsByDecreasingMagnitude) {
    TSpectrum Spectrum;
    for (double m : {1.0, 3.0, 2.0})
        Spectrum.Add(std::make_unique<TSpectrumSample>(m * 10, m));
    Spectrum.Sort(CompareSamplesByMagnitude);
    EXPECT_EQ(Spectrum[0].Magnitude(), 3);
    EXPECT_EQ(Spectrum[1].Magnitude(), 2);
    EXPECT_EQ(Spectrum[2].Magnitude(), 1);
    EXPECT_EQ(Spectrum[0].Frequency(), 30);
    EXPECT_THROW(Spectrum.Delete(3), EListError);
    Spectrum.Delete(0);
    EXPECT_EQ(Spectrum.Count(), 2);
}

} // namespace
