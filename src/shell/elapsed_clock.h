#pragma once

#include "sim/step_clock.h"

#include <QElapsedTimer>

namespace mirel::shell {

// The run's clock: a monotonic QElapsedTimer.
class QtElapsedClock final : public sim::ElapsedClock {
public:
    QtElapsedClock() { timer_.start(); }
    void restart() override { timer_.restart(); }
    std::chrono::nanoseconds elapsed() const override {
        return std::chrono::nanoseconds(timer_.nsecsElapsed());
    }

private:
    QElapsedTimer timer_;
};

} // namespace mirel::shell
