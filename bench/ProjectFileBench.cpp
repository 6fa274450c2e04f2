// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Opening and saving projects of many signals. Both should take time proportional
// to the file: vibrona_bench --benchmark_filter=Project
#include "model/ProjectFile.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// Signals with values of many digits, as the generators make them.
void FillManyDigitSignals(TSignals& AList, int n) {
    for (int i = 0; i < n; ++i)
        AList.Add(std::make_unique<TSignal>(1.0 / (i + 1), 0.1 * i, 50.0 + i / 7.0, 60));
}

struct TProject {
    explicit TProject(int ASignals) {
        FillManyDigitSignals(Signals, ASignals);
        SaveProject(FileName, Settings, Signals);
    }
    QTemporaryDir Dir;
    QString FileName = Dir.filePath(QStringLiteral("p.vbf"));
    TCalcSettings Settings;
    TSignals Signals;
};

void ProjectOpen(benchmark::State& AState) {
    TProject Project(static_cast<int>(AState.range(0)));
    for (auto _ : AState)
        OpenProject(Project.FileName, Project.Settings, Project.Signals);
    AState.counters["file_MB"] = QFileInfo(Project.FileName).size() / 1e6;
}

// Saving over the project replaces every key in place.
void ProjectSave(benchmark::State& AState) {
    TProject Project(static_cast<int>(AState.range(0)));
    for (auto _ : AState)
        SaveProject(Project.FileName, Project.Settings, Project.Signals);
}

void ProjectOpenAndSave(benchmark::State& AState) {
    TProject Project(static_cast<int>(AState.range(0)));
    for (auto _ : AState) {
        OpenProject(Project.FileName, Project.Settings, Project.Signals);
        SaveProject(Project.FileName, Project.Settings, Project.Signals);
    }
}

} // namespace

BENCHMARK(ProjectOpen)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ProjectSave)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ProjectOpenAndSave)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
