// Frames a second the Timeline paints while scrolling over a history of
// 100,000 steps, at three zooms: 8 pixels a step, 8 steps a pixel, and the
// whole history in view. The history is the window's own, left by a run at
// full speed; the target is at least 30 frames a second.
//
//   timeline_paint [Google Benchmark options]
#include "program_fixture.h"
#include "shell/timeline_dock.h"
#include "shell/timeline_view.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

using namespace mirel;

// The window after a run long enough to fill Step Back's whole reach, with
// the Timeline shown and a register lane added.
class RunWindow {
public:
    RunWindow() {
        window_.window().resize(1280, 900);
        // A running light on port B, a counter in 20 and W changing every turn.
        bench::loadProgram(window_.form(), {"LDA\t01 H", "STA\t06", "RLA\t06", "INC\t20",
                                            "LDA\t20 W", "JMP\t0002"});
        window_.window().findChild<QAction*>(QStringLiteral("mnuDebugFullSpeed"))->trigger();
        QEventLoop loop;
        QTimer::singleShot(500, &loop, &QEventLoop::quit);
        loop.exec();
        window_.click("StopKey");
        QElapsedTimer clock;
        clock.start();
        window_.window().findChild<QAction*>(QStringLiteral("mnuViewTimeline"))->trigger();
        std::string error;
        dock()->addRegister("20", error);
        QApplication::processEvents();
        std::printf("history %lld steps in the timeline, followed and shown in %lld ms\n",
                    dock()->trace().end() - dock()->trace().first(),
                    static_cast<long long>(clock.elapsed()));
    }
    shell::TimelineDock* dock() { return window_.window().timelineDock(); }
    shell::TimelineView* view() { return dock()->view(); }

private:
    bench::LongProgramWindow window_;
};

RunWindow& runWindow() {
    static RunWindow window;
    return window;
}

// Scrolls a tenth of the view a frame, round the history, painting each frame.
void scrollAndPaint(benchmark::State& state, double pixelsPerStep) {
    shell::TimelineView* view = runWindow().view();
    if (pixelsPerStep > 0)
        view->setPixelsPerStep(pixelsPerStep);
    else
        view->showAll();
    QScrollBar* across = view->horizontalScrollBar();
    const int by = std::max(1, across->pageStep() / 10);
    for (auto _ : state) {
        const long long first = view->firstShownStep() - across->value();
        view->scrollToStep(across->value() + by > across->maximum() ? first
                                                                    : view->firstShownStep() + by);
        view->viewport()->repaint();
    }
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["pixels_per_step"] = view->pixelsPerStep();
}

void EightPixelsAStep(benchmark::State& state) {
    scrollAndPaint(state, 8);
}
void EightStepsAPixel(benchmark::State& state) {
    scrollAndPaint(state, 1.0 / 8);
}
void WholeHistory(benchmark::State& state) {
    scrollAndPaint(state, 0);
}

BENCHMARK(EightPixelsAStep)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(EightStepsAPixel)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(WholeHistory)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    mirel::bench::preferOffscreen();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
