// Whole-process probe: the cost of one tick of a run with the views shown,
// the step and the repaint of what it changed, on the long program.
//
//   tick_cost [TICKS, default 2000]
#include "window_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Counts the paints of a widget, to show that the repaint happened.
class PaintCount final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

} // namespace

int main(int argc, char** argv) {
    mirel::bench::preferOffscreen();
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;

    mirel::bench::LongProgramWindow w;
    // The slowest speed: the window's own timer hardly ticks in between.
    w.form().Label5.setText("500");
    w.click("StartKey");
    PaintCount regPaints, codePaints;
    const auto watch = [&w](const char* view, PaintCount& count) {
        w.window()
            .findChild<QListView*>(QLatin1String(view))
            ->viewport()
            ->installEventFilter(&count);
    };
    watch("Reg", regPaints);
    watch("Code", codePaints);
    QApplication::processEvents();

    std::vector<double> ms;
    double stepPart = 0;
    QElapsedTimer clock;
    for (int i = 0; i < ticks; ++i) {
        clock.start();
        w.window().runTimer().tick();
        stepPart += clock.nsecsElapsed() / 1e6;
        QApplication::processEvents(); // paints what the step changed
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    w.click("StopKey");

    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double m : ms)
        sum += m;
    const auto at = [&ms](double q) { return ms[static_cast<std::size_t>(q * (ms.size() - 1))]; };
    std::printf(
        "tick with the views shown, %d ticks: mean %.3f ms, median %.3f ms, "
        "99th percentile %.3f ms, max %.3f ms (step and models %.3f ms, painting the rest); "
        "paints: Reg %d, Code %d\n",
        ticks, sum / ticks, at(0.5), at(0.99), ms.back(), stepPart / ticks, regPaints.paints,
        codePaints.paints);
    return 0;
}
