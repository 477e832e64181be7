#pragma once

#include "sim/run_control.h"
#include "state/controls.h"

#include <QObject>
#include <QTimer>

namespace mirel::shell {

// The one real timer of a run: it runs while Timer1 is enabled, at Timer1's
// interval (at once again at full speed), and each timeout is a tick of the
// run control. While any modal window is open (a message box, a dialog) a
// tick starts no step, what fell due meanwhile is not caught up afterwards,
// and a full-speed run looks for the window's end only every 50 ms.
class RunTimer final : public QObject, private state::ChangeObserver {
public:
    RunTimer(state::TimerModel& model, sim::RunControl& run, QObject* parent = nullptr);
    ~RunTimer() override;

    // The Qt timer, for tests that look at what the model made of it.
    const QTimer& timer() const { return timer_; }
    // What each timeout does; tests tick through it instead of waiting.
    void tick();

private:
    void changed() override;

    state::TimerModel& model_;
    sim::RunControl& run_;
    QTimer timer_;
    static constexpr int modalWaitInterval = 50; // ms
    bool waitingForModal_ = false;
};

} // namespace mirel::shell
