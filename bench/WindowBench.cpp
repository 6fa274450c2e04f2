// Responsiveness of the window at size: a meander of 50 harmonics with
// M = N = 2^20 and K = 2^19. Runs under the offscreen platform:
//   QT_QPA_PLATFORM=offscreen vibrona_window_bench
#include "ScriptedPlatform.h"
#include "WindowFixture.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QScrollBar>

#include <qcustomplot.h>

namespace {

TWindowFixture* Fixture = nullptr;

void Prepare() {
    TWindowFixture& F = *Fixture;
    F.Platform.InputAnswers.push_back({QStringLiteral("50")});
    F.Find<QAction>("miMeander").trigger();
    EnterSetting(F.CmnParams(), QStringLiteral("M"), QStringLiteral("1048576"));
    EnterSetting(F.DftParams(), QStringLiteral("N"), QStringLiteral("1048576"));
    EnterSetting(F.DftParams(), QStringLiteral("K"), QStringLiteral("524288"));
}

void Recalculate(benchmark::State& AState) {
    for (auto _ : AState) {
        Fixture->Find<QAction>("acRefresh").trigger();
        QCoreApplication::processEvents();
    }
    AState.counters["samples"] = Fixture->Window->Spectrum().Count();
}

void Repaint(benchmark::State& AState) {
    for (auto _ : AState)
        Fixture->Window->repaint();
}

void Hover(benchmark::State& AState) {
    QCustomPlot& Curve = Fixture->Find<QCustomPlot>("tcCurve");
    QCustomPlot& Spectrum = Fixture->Find<QCustomPlot>("tcSpectrum");
    int Step = 0;
    for (auto _ : AState) {
        for (QCustomPlot* Chart : {&Curve, &Spectrum}) {
            const QPointF Pos(Chart->axisRect()->left() + 10 + (Step * 37) % 400,
                              Chart->axisRect()->center().y());
            QMouseEvent Move(QEvent::MouseMove, Pos, Chart->mapToGlobal(Pos), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(Chart, &Move);
        }
        ++Step;
    }
}

void Resize(benchmark::State& AState) {
    int Step = 0;
    for (auto _ : AState) {
        Fixture->Window->resize(833 + (Step++ % 2) * 40, 659);
        QCoreApplication::processEvents();
        Fixture->Window->repaint();
    }
}

void ScrollList(benchmark::State& AState) {
    auto& List = Fixture->Find<QListView>("lbSpectrum");
    QScrollBar* Bar = List.verticalScrollBar();
    for (auto _ : AState) {
        Bar->setValue(
            Bar->value() + Bar->pageStep() > Bar->maximum() ? 0 : Bar->value() + Bar->pageStep());
        List.viewport()->repaint();
    }
}

} // namespace

BENCHMARK(Recalculate)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Repaint)->Unit(benchmark::kMillisecond);
BENCHMARK(Hover)->Unit(benchmark::kMillisecond);
BENCHMARK(Resize)->Unit(benchmark::kMillisecond);
BENCHMARK(ScrollList)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    QApplication App(argc, argv);
    TWindowFixture F;
    Fixture = &F;
    Prepare();
    F.Find<QAction>("acRefresh").trigger();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
