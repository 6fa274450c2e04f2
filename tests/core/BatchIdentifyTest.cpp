// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BatchRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// Two damped oscillations, a sine wave with its phase and a constant; a fourth signal
// is switched off and so is no part of the curve.
const char* const Project = "[General]\r\ndt=0,0001\r\nM=4000\r\nC=-0,5\r\nSignalsCount=4\r\n"
                            "[DFT]\r\nN=4000\r\nK=200\r\nWindow=0\r\n"
                            "[Signal0]\r\nAmplitude=0,5\r\nVelocity=100\r\nFrequency=120\r\n"
                            "DampingFactor=15\r\n"
                            "[Signal1]\r\nAmplitude=1\r\nVelocity=0\r\nFrequency=50\r\n"
                            "DampingFactor=6\r\n"
                            "[Signal2]\r\nAmplitude=0,3\r\nFrequency=200\r\nDampingFactor=0\r\n"
                            "Fi=0,5\r\n"
                            "[Signal3]\r\nActive=0\r\nAmplitude=7\r\nFrequency=300\r\n"
                            "DampingFactor=1\r\n";

struct TMode {
    double F, D, A, V;
};

// The curve's modes by F, with A = y(0) and V = y'(0): the sine wave
// 0.3 sin(W t + 0.5) starts at 0.3 sin 0.5 with the slope 0.3 W cos 0.5.
const TMode Modes[] = {
    {50, 6, 1, 0},
    {120, 15, 0.5, 100},
    {200, 0, 0.3 * std::sin(0.5), 0.3 * 2 * std::numbers::pi * 200 * std::cos(0.5)}};

class BatchIdentifyTest : public ::testing::Test {
protected:
    using TRun = TBatchRun;

    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        QFile File(Dir.filePath(QStringLiteral("p.vbf")));
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Project);
    }

    TRun Run(const QStringList& AArgs) { return RunBatch(Dir.path(), AArgs); }

    // The numbers of a tab-separated text with "," decimals, line by line.
    static std::vector<std::vector<double>> Numbers(const QByteArray& AText) {
        std::vector<std::vector<double>> Rows;
        for (const QByteArray& Line : AText.split('\n')) {
            if (Line.isEmpty())
                continue;
            EXPECT_TRUE(Line.endsWith('\r'));
            Rows.emplace_back();
            for (const QByteArray& Field : Line.trimmed().split('\t'))
                Rows.back().push_back(QByteArray(Field).replace(',', '.').toDouble());
        }
        return Rows;
    }

    QTemporaryDir Dir;
};

TEST_F(BatchIdentifyTest, WritesTheProjectsOwnOscillationsByFrequency) {
    const TRun r = Run({"p.vbf", "--identify", "-"});
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
    const auto Rows = Numbers(r.Out);
    ASSERT_EQ(Rows.size(), std::size(Modes));
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        ASSERT_EQ(Rows[i].size(), 4u);
        const TMode& m = Modes[i];
        // Seven decimals are written; the identification itself is finer.
        EXPECT_NEAR(Rows[i][0], m.F, 1e-6 * m.F);
        EXPECT_NEAR(Rows[i][1], m.D, 2e-7 + 1e-6 * m.D);
        EXPECT_NEAR(Rows[i][2], m.A, 2e-7);
        EXPECT_NEAR(Rows[i][3], m.V, 1e-6 * 400);
    }
    // At most the count asked: the strongest alone.
    const auto One = Numbers(Run({"p.vbf", "--identify", "-", "--identify-count", "1"}).Out);
    ASSERT_EQ(One.size(), 1u);
    EXPECT_NEAR(One[0][0], 50, 0.5);
}

TEST_F(BatchIdentifyTest, SavedProjectHoldsTheIdentifiedSignalsAndRecalculatesToTheCurve) {
    const TRun r = Run(
        {"p.vbf", "--identify", "modes.txt", "--save-project", "model.vbf", "--curve", "a.txt"});
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
    QFile Model(Dir.filePath(QStringLiteral("model.vbf")));
    ASSERT_TRUE(Model.open(QIODevice::ReadOnly));
    const QByteArray Saved = Model.readAll();
    EXPECT_TRUE(Saved.contains("SignalsCount=3\n"));
    EXPECT_FALSE(Saved.contains("Amplitude=7\n"));

    ASSERT_EQ(Run({"model.vbf", "--curve", "b.txt"}).Status, 0);
    const auto Read = [&](const char* AName) {
        QFile File(Dir.filePath(QLatin1String(AName)));
        return File.open(QIODevice::ReadOnly) ? Numbers(File.readAll())
                                              : std::vector<std::vector<double>>();
    };
    const auto Source = Read("a.txt"), Recalculated = Read("b.txt");
    ASSERT_EQ(Source.size(), 4000u);
    ASSERT_EQ(Recalculated.size(), Source.size());
    for (std::size_t k = 0; k < Source.size(); ++k)
        ASSERT_NEAR(Recalculated[k][1], Source[k][1], 1e-6) << k;
}

TEST_F(BatchIdentifyTest, WrongCountsAreRefused) {
    const struct {
        QStringList Args;
        const char* Message;
    } Cases[] = {
        {{"--identify", "-", "--identify-count", "0"},
         "Неверное число колебаний: 0 (допустимо от 1 до 50)\n"},
        {{"--identify", "-", "--identify-count", "51"},
         "Неверное число колебаний: 51 (допустимо от 1 до 50)\n"},
        {{"--identify", "-", "--identify-count", "два"},
         "Неверное число колебаний: два (допустимо от 1 до 50)\n"},
        {{"--identify-count", "5"}, "--identify-count задается только вместе с --identify."},
    };
    for (const auto& c : Cases) {
        const TRun r = Run(QStringList{"p.vbf"} + c.Args);
        EXPECT_EQ(r.Status, 2);
        EXPECT_TRUE(QString::fromUtf8(r.Err).startsWith(QString::fromUtf8(c.Message)))
            << r.Err.toStdString();
        EXPECT_TRUE(r.Out.isEmpty());
    }
}

} // namespace
