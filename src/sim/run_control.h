#pragma once

#include "run_messages.h"
#include "simulator.h"
#include "state/main_form.h"
#include "step_clock.h"

namespace mirel::sim {

// Continuous run: Start, Stop, the six speeds and the timer's tick. The
// window drives a real timer from Timer1 and calls Timer1_Timer on each tick.
class RunControl {
public:
    RunControl(state::MainForm& form, Simulator& simulator, RunMessages& messages,
               ElapsedClock& clock)
        : form_(form), simulator_(simulator), messages_(messages), stepClock_(clock) {}

    void StartKey_Click();
    void StopKey_Click();
    void Fast_Click();
    void Slow_Click();

    // The steps due by the clock (one at the slower speeds), then the next
    // interval from the speed label, then the big views shown or hidden by it.
    void Timer1_Timer();

    // A modal window held the ticks back: what fell due meanwhile is not
    // caught up.
    void restartClock() { stepClock_.restart(); }

private:
    void showViews(bool on);

    state::MainForm& form_;
    Simulator& simulator_;
    RunMessages& messages_;
    StepClock stepClock_;
    bool ticking_ = false;
};

} // namespace mirel::sim
