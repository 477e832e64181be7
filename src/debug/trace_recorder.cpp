#include "trace_recorder.h"

#include "core_values.h"

#include "sim/part/part_value_steps.h"
#include "sim/teaching/value_core_steps.h"

namespace mirel::debug {

// Told each step of a run on values: the row is read from the core's own storage.
template <typename Core> class TraceRecorder::OnCore : public sim::part::PartNoRecorder {
public:
    static constexpr bool records = true;
    OnCore(TraceRecorder& to, const Core& core) : to_(to), core_(core) {}

    void valueStepFinished(int cycles, int selected) {
        to_.count_.add(cycles);
        ++to_.position_;
        if (to_.position_ != to_.trace_.end())
            return;
        const auto& columns = to_.trace_.columns();
        for (std::size_t c = 0; c < columns.size(); ++c)
            to_.row_[c] = static_cast<std::uint8_t>(valueOf(core_, columns[c].reg));
        to_.trace_.append(to_.count_.cycles, selected, to_.row_.data());
    }

private:
    TraceRecorder& to_;
    const Core& core_;
};

TraceRecorder::TraceRecorder(const state::MainForm& form, timeline::StepTrace& trace,
                             CycleCount& count, long long position)
    : form_(form), trace_(trace), count_(count), position_(position), row_(trace.columns().size()) {
}

void TraceRecorder::rowNow() {
    if (position_ != trace_.end())
        return;
    const auto& columns = trace_.columns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        row_[c] = static_cast<std::uint8_t>(valueOf(form_, columns[c].reg));
    trace_.append(count_.cycles, form_.Code.selectedIndex(), row_.data());
}

// The counts go as the recorder counts them, step by step.
long long TraceRecorder::runOnValues(sim::ValueCore& core, long long count) {
    OnCore<sim::ValueCore> recorder(*this, core);
    return core.run(count, nullptr, recorder);
}

long long TraceRecorder::runOnPartValues(sim::part::PartValueCore& core, long long count) {
    OnCore<sim::part::PartValueCore> recorder(*this, core);
    return core.run(count, nullptr, recorder);
}

} // namespace mirel::debug
