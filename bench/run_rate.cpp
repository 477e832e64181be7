// Whole-process probe: does a continuous run keep the speed its label
// promises? Runs the long program through the window's real timer at each
// of the six speeds and compares the steps per second with the label.
//
//   run_rate [SECONDS per speed, default 3]
#include "window_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <vector>

namespace {

using namespace mirel;

// When each step happened: every step selects the next line of Code.
class StepTimes final : public state::TextListObserver {
public:
    explicit StepTimes(const QElapsedTimer& clock) : clock_(clock) {}
    void selectionChanged(int) override { times.push_back(clock_.nsecsElapsed()); }
    std::vector<qint64> times;

private:
    const QElapsedTimer& clock_;
};

void waitFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv) {
    bench::preferOffscreen();
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;

    bench::LongProgramWindow w;
    QElapsedTimer clock;
    clock.start();
    for (const char* speed : {"500", "200", "100", "50", "20", "1"}) {
        w.form().Code.select(0);
        w.form().Label5.setText(speed);
        StepTimes steps(clock);
        w.form().Code.addObserver(&steps);
        w.click("StartKey");
        waitFor(static_cast<int>(seconds * 1000));
        w.click("StopKey");
        w.form().Code.removeObserver(&steps);

        // From the first step to the last: the wait before the first tick is
        // the previous run's interval, not this speed's.
        const int interval = std::atoi(speed);
        const auto n = static_cast<double>(steps.times.size());
        const double span = n > 1 ? (steps.times.back() - steps.times.front()) / 1e9 : 0;
        const double rate = span > 0 ? (n - 1) / span : 0;
        std::printf("interval %d ms: %.1f steps/s, ratio %.3f\n", interval, rate,
                    rate * interval / 1000.0);
        std::fflush(stdout);
    }
    return 0;
}
