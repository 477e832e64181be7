#include "step_clock.h"

#include <algorithm>

namespace mirel::sim {

int StepClock::stepsForTick(int intervalMs) {
    if (stale_ || intervalMs != interval_ || intervalMs <= 0) {
        clock_.restart();
        stale_ = false;
        interval_ = intervalMs;
        done_ = 1;
        return 1;
    }
    // Step k of the count is due at k intervals after its start.
    const long long due = clock_.elapsed() / std::chrono::milliseconds(interval_) + 1;
    const long long owed = due - done_;
    if (owed > maxStepsPerTick) {
        // After a stall (a window being dragged, a slow machine) the run goes
        // on at its speed rather than racing to make up the lost time.
        done_ = due;
        return maxStepsPerTick;
    }
    const long long steps = std::max(owed, 1LL);
    done_ += steps;
    return static_cast<int>(steps);
}

} // namespace mirel::sim
