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
        waitingForModal_ = false;
        timer_.stop();
        return;
    }
    const int interval = run_.fullSpeed() ? 0 : model_.interval();
    if (waitingForModal_ && interval < modalWaitInterval)
        return; // the tick that finds the modal window gone sets it again
    if (!timer_.isActive() || timer_.interval() != interval)
        timer_.start(interval);
}

void RunTimer::tick() {
    if (QApplication::activeModalWidget()) {
        run_.restartClock();
        // A full-speed tick would come again at once and spin the processor
        // for as long as the window stays open: look again a little later.
        if (timer_.interval() < modalWaitInterval) {
            waitingForModal_ = true;
            timer_.start(modalWaitInterval);
        }
        return;
    }
    if (waitingForModal_) {
        waitingForModal_ = false;
        run_.restartClock();
        changed();
    }
    run_.Timer1_Timer();
}

} // namespace mirel::shell
