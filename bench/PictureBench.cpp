// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Writing a chart picture of a long curve: an EMF of a 2^20-point line at the curve
// chart's size at start, with and without QCustomPlot's adaptive sampling (the program
// keeps it on). Runs under the offscreen platform:
//   QT_QPA_PLATFORM=offscreen vibrona_picture_bench
#include "ui/charts/ChartLook.h"
#include "ui/pictures/ChartPicture.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

#include <qcustomplot.h>

namespace {

constexpr int Points = 1 << 20;

std::unique_ptr<QCustomPlot> CurveChart(bool AAdaptiveSampling) {
    auto Chart = std::make_unique<QCustomPlot>();
    Chart->resize(CurveChartSize);
    SetupChart(*Chart);
    QCPGraph* Curve = Chart->addGraph();
    Curve->setPen(QPen(Qt::red, 1));
    Curve->setAdaptiveSampling(AAdaptiveSampling);
    QVector<QCPGraphData> Data(Points);
    for (int i = 0; i < Points; ++i) {
        const double Time = i * 0.00025;
        Data[i] = QCPGraphData(Time, std::exp(-0.01 * Time) * std::sin(2 * M_PI * 50 * Time) +
                                         0.3 * std::sin(2 * M_PI * 150 * Time));
    }
    Curve->data()->set(Data, true);
    Chart->rescaleAxes();
    return Chart;
}

void EmfOfLongCurve(benchmark::State& AState) {
    const std::unique_ptr<QCustomPlot> Chart = CurveChart(AState.range(0) != 0);
    QTemporaryDir Dir;
    const QString FileName = Dir.filePath(QStringLiteral("curve.emf"));
    for (auto _ : AState)
        WriteChartPicture(*Chart, FileName, CurveChartSize);
    AState.counters["bytes"] = static_cast<double>(QFileInfo(FileName).size());
}
BENCHMARK(EmfOfLongCurve)->ArgName("adaptive")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    QApplication App(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
