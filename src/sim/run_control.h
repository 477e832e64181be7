#pragma once

#include "run_messages.h"
#include "simulator.h"
#include "state/main_form.h"
#include "step_clock.h"

#include <chrono>
#include <functional>

namespace mirel::sim {

// Continuous run: Start, Stop, the six speeds and the timer's tick. The
// window drives a real timer from Timer1 and calls Timer1_Timer on each tick.
// However a run ends (Stop, New, Open, Reset), the views it hid come back.
class RunControl final : private state::ChangeObserver {
public:
    RunControl(state::MainForm& form, Simulator& simulator, RunMessages& messages,
               ElapsedClock& clock);
    ~RunControl() override;
    RunControl(const RunControl&) = delete;
    RunControl& operator=(const RunControl&) = delete;

    // How long one tick of a run at full speed keeps stepping before the
    // event loop gets its turn.
    static constexpr std::chrono::milliseconds fullSpeedTurn{15};

    void StartKey_Click();
    void StopKey_Click();
    void Fast_Click();
    void Slow_Click();
    // A run as Start begins one, with the views hidden, and every tick steps
    // for a whole turn instead of at the speed label's pace.
    void FullSpeed_Click();
    bool fullSpeed() const { return fullSpeed_; }

    // Asked after every step of a run; true ends the run as Stop does.
    void setBreakCheck(std::function<bool()> check) { breakCheck_ = std::move(check); }

    // The steps due by the clock (one at the slower speeds), then the next
    // interval from the speed label, then the big views shown or hidden by it.
    void Timer1_Timer();

    // A modal window held the ticks back: what fell due meanwhile is not
    // caught up.
    void restartClock() { stepClock_.restart(); }

private:
    void changed() override; // Timer1
    void showViews(bool on);
    // One step of a run; false when the run must end after it.
    bool runStep(bool& messageShown);
    // After one step or a run of them: false when the run must end.
    bool afterSteps(bool& messageShown);
    void begin(bool fullSpeed);
    void runFullSpeedTurn();

    state::MainForm& form_;
    Simulator& simulator_;
    RunMessages& messages_;
    ElapsedClock& clock_;
    StepClock stepClock_;
    std::function<bool()> breakCheck_;
    bool ticking_ = false;
    bool fullSpeed_ = false;
    static constexpr long long shortestRun = 4096;
    long long runLength_ = shortestRun; // steps a full-speed turn asks for at once
};

} // namespace mirel::sim
