#pragma once

#include "cycle_count.h"
#include "sim/part/part_value_core.h"
#include "sim/step_listener.h"
#include "sim/teaching/value_core.h"

namespace mirel::debug {

// Stands in for the debugger while steps are replayed: they are counted and
// nothing else, and runs on values go bare to the end.
class ReplayListener final : public sim::StepListener {
public:
    explicit ReplayListener(CycleCount& count) : count_(count) {}

    void stepStarting() override {}
    void stepFinished(int cycles) override { count_.add(cycles); }
    long long runOnValues(sim::ValueCore& core, long long count) override {
        const long long done = core.run(count, nullptr);
        count_.instructions += done;
        count_.cycles += core.cycles();
        return done;
    }
    long long runOnPartValues(sim::part::PartValueCore& core, long long count) override {
        const long long done = core.run(count, nullptr);
        count_.instructions += core.executed();
        count_.cycles += core.cycles();
        return done;
    }

private:
    CycleCount& count_;
};

} // namespace mirel::debug
