// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

// Responsiveness of the window at size: a meander of 50 harmonics with
// M = N = 2^20 and K = 2^19. Runs under the offscreen platform:
//   QT_QPA_PLATFORM=offscreen vibrona_window_bench
#include "ScriptedPlatform.h"
#include "WindowFixture.h"
#include "model/ProjectFile.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QWheelEvent>

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

// One wheel notch over the spectrum, in and out in turn, with the repaint it causes.
void WheelZoom(benchmark::State& AState) {
    QCustomPlot& Spectrum = Fixture->Find<QCustomPlot>("tcSpectrum");
    const QPointF At = Spectrum.axisRect()->center();
    int Step = 0;
    for (auto _ : AState) {
        QWheelEvent Wheel(At, Spectrum.mapToGlobal(At), QPoint(),
                          QPoint(0, Step++ % 2 ? -120 : 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&Spectrum, &Wheel);
        QCoreApplication::processEvents(); // the replot the wheel queued
    }
}

// One step of a middle-button drag over the curve, with its repaint.
void PanStep(benchmark::State& AState) {
    QCustomPlot& Curve = Fixture->Find<QCustomPlot>("tcCurve");
    const QPointF At = Curve.axisRect()->center();
    const auto Send = [&Curve](QEvent::Type AType, const QPointF& APos) {
        QMouseEvent Event(AType, APos, Curve.mapToGlobal(APos), Qt::MiddleButton,
                          AType == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MiddleButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&Curve, &Event);
    };
    Send(QEvent::MouseButtonPress, At);
    int Step = 0;
    for (auto _ : AState) {
        Send(QEvent::MouseMove, At + QPointF(Step++ % 2 ? 0 : 20, 0));
        QCoreApplication::processEvents(); // the replot the move queued
    }
    Send(QEvent::MouseButtonRelease, At);
}

// Switching the spectrum between magnitudes and decibels, with its repaint.
void DecibelToggle(benchmark::State& AState) {
    QAction* Toggle = nullptr;
    for (QAction* Action : Fixture->Find<QMenu>("tcSpectrumMenu").actions())
        if (Action->isCheckable() && Action->text().contains(QStringLiteral("дБ")))
            Toggle = Action;
    for (auto _ : AState) {
        Toggle->trigger();
        Fixture->Find<QCustomPlot>("tcSpectrum").repaint();
    }
}

// "Сохранить как текст" of a curve of 2^24 points, its own window.
void CurveTextExport(benchmark::State& AState) {
    TWindowFixture F;
    F.Find<QAction>("miSineWave").trigger();
    EnterSetting(F.CmnParams(), QStringLiteral("M"), QStringLiteral("16777216"));
    F.Find<QAction>("acRefresh").trigger();
    QTemporaryDir Dir;
    const QString Target = Dir.filePath(QStringLiteral("curve.txt"));
    for (auto _ : AState) {
        F.Platform.FileAnswers.push_back(Target);
        F.Find<QAction>("miSaveCurveToTxt").trigger();
        QCoreApplication::processEvents();
    }
    AState.counters["file_MB"] = QFileInfo(Target).size() / 1e6;
    AState.counters["errors"] = static_cast<double>(F.Platform.Messages.size());
}

// The save command of a project of 100,000 signals opened in the window.
void ProjectSave100k(benchmark::State& AState) {
    QTemporaryDir Dir;
    const QString Source = Dir.filePath(QStringLiteral("source.vbf"));
    {
        TCalcSettings Settings;
        TSignals Signals;
        for (int i = 0; i < 100000; ++i)
            Signals.Add(std::make_unique<TSignal>(1.0 / (i + 1), 0.1 * i, 50.0 + i / 7.0, 60));
        SaveProject(Source, Settings, Signals);
    }
    TWindowFixture F;
    F.Platform.FileAnswers.push_back(Source);
    F.Find<QAction>("acOpen").trigger();
    const QString Target = Dir.filePath(QStringLiteral("saved.vbf"));
    for (auto _ : AState) {
        F.Platform.FileAnswers.push_back(Target);
        F.Find<QAction>("acSave").trigger();
        QCoreApplication::processEvents();
    }
    AState.counters["signals"] = static_cast<double>(F.Window->Signals().Count());
    AState.counters["errors"] = static_cast<double>(F.Platform.Messages.size());
}

} // namespace

BENCHMARK(WheelZoom)->Unit(benchmark::kMillisecond);
BENCHMARK(PanStep)->Unit(benchmark::kMillisecond);
BENCHMARK(DecibelToggle)->Unit(benchmark::kMillisecond);
BENCHMARK(Recalculate)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Repaint)->Unit(benchmark::kMillisecond);
BENCHMARK(Hover)->Unit(benchmark::kMillisecond);
BENCHMARK(Resize)->Unit(benchmark::kMillisecond);
BENCHMARK(ScrollList)->Unit(benchmark::kMillisecond);
BENCHMARK(CurveTextExport)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ProjectSave100k)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char* argv[]) {
    QApplication App(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear(); // linear magnitudes over linear frequency, whatever a test left
    TWindowFixture F;
    Fixture = &F;
    Prepare();
    F.Find<QAction>("acRefresh").trigger();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
