#include "run_timer.h"

#include <QApplication>

namespace mirel::shell {

RunTimer::RunTimer(state::TimerModel& model, sim::RunControl& run, QObject* parent)
    : QObject(parent), model_(model), run_(run) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &RunTimer::tick);
    model_.addObserver(this);
    changed();
}

RunTimer::~RunTimer() {
    model_.removeObserver(this);
}

// A new interval starts counting from now, as the next tick is then due. At
// full speed the next tick is due as soon as the event loop has had its turn.
void RunTimer::changed() {
    if (!model_.enabled()) {
        timer_.stop();
        return;
    }
    const int interval = run_.fullSpeed() ? 0 : model_.interval();
    if (!timer_.isActive() || timer_.interval() != interval)
        timer_.start(interval);
}

void RunTimer::tick() {
    if (QApplication::activeModalWidget()) {
        run_.restartClock();
        return;
    }
    run_.Timer1_Timer();
}

} // namespace mirel::shell
