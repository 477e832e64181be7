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

// A new interval starts counting from now, as the next tick is then due.
void RunTimer::changed() {
    if (!model_.enabled()) {
        timer_.stop();
        return;
    }
    if (!timer_.isActive() || timer_.interval() != model_.interval())
        timer_.start(model_.interval());
}

void RunTimer::tick() {
    if (QApplication::activeModalWidget()) {
        run_.restartClock();
        return;
    }
    run_.Timer1_Timer();
}

} // namespace mirel::shell
