#pragma once

#include "cycle_count.h"
#include "sim/part/part_value_core.h"
#include "sim/step_listener.h"
#include "sim/teaching/value_core.h"
#include "state/main_form.h"
#include "timeline/step_trace.h"

#include <vector>

namespace mirel::debug {

// Hears steps and writes a row of the trace after each: the steps the
// timeline replays from the history, or every step of the batch driver's
// run. Runs on values tell it each step as they run; the counts follow.
class TraceRecorder final : public sim::StepListener {
public:
    // `position`: the steps taken before the machine as it stands; a row is
    // written only where the trace ends, so steps it holds already are passed over.
    TraceRecorder(const state::MainForm& form, timeline::StepTrace& trace, CycleCount& count,
                  long long position);

    // The row of the machine as it stands.
    void rowNow();
    long long position() const { return position_; }

    void stepStarting() override {}
    void stepFinished(int cycles) override {
        count_.add(cycles);
        ++position_;
        rowNow();
    }
    long long runOnValues(sim::ValueCore& core, long long count) override;
    long long runOnPartValues(sim::part::PartValueCore& core, long long count) override;

private:
    template <typename Core> class OnCore;

    const state::MainForm& form_;
    timeline::StepTrace& trace_;
    CycleCount& count_;
    long long position_;
    std::vector<std::uint8_t> row_;
};

} // namespace mirel::debug
