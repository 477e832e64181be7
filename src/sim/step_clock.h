#pragma once

#include <chrono>

namespace mirel::sim {

// Time since the last restart; the window's is a QElapsedTimer, the tests'
// a hand-moved clock.
class ElapsedClock {
public:
    virtual ~ElapsedClock() = default;
    virtual void restart() = 0;
    virtual std::chrono::nanoseconds elapsed() const = 0;
};

// Keeps a run at its speed when the timer ticks less often than asked:
// a tick performs the steps that the clock says are due by now.
class StepClock {
public:
    static constexpr int maxStepsPerTick = 20;

    explicit StepClock(ElapsedClock& clock) : clock_(clock) {}

    // Nothing owed from before is caught up: the next tick performs one step
    // and the count starts again from it.
    void restart() { stale_ = true; }

    // The number of steps the tick happening now performs at `intervalMs`
    // per step: at least one, at most maxStepsPerTick. A new interval
    // restarts the count.
    int stepsForTick(int intervalMs);

private:
    ElapsedClock& clock_;
    bool stale_ = true;
    int interval_ = 0;
    long long done_ = 0; // steps performed since the count started
};

} // namespace mirel::sim
