// A run on values, recorded: each step goes into the journal and the counts
// as the core runs it, with no call through the models or a virtual table.
#include "debugger.h"

#include "sim/value_core_steps.h"

namespace mirel::debug {

class Debugger::ValueRecorder {
public:
    static constexpr bool records = true;
    explicit ValueRecorder(Debugger& debugger)
        : debugger_(debugger), journal_(debugger.journal_), running_(debugger.running()) {}

    void valueStepStarting(int selected) {
        // A step of its own is highlighted alone; a run's steps add up until it stops.
        if (!running_)
            debugger_.startHighlight();
        journal_.beginValueStep(selected);
    }
    void registerWritten(int index, int value) { journal_.valueRegister(index, value); }
    void wWritten(int value) { journal_.valueW(value); }
    void stackPushed(int callingLine) { journal_.valueStackPushed(callingLine); }
    void stackPopped() { journal_.valueStackPopped(); }
    void controlsChanged(std::uint16_t lamps, std::uint16_t boxes) {
        journal_.valueControls(lamps, boxes);
    }
    void valueStepFinished(int cycles) {
        journal_.endStep(cycles);
        debugger_.count_.add(cycles);
    }

private:
    Debugger& debugger_;
    StepJournal& journal_;
    const bool running_;
};

// Only the last steps the journal holds can be taken back: in a longer run
// at full speed the ones before go unrecorded and are counted at once. Should the run stop
// among them (a breakpoint, a step for the text rules) they are run again
// from where they began, recorded, and stop at the same place.
long long Debugger::runOnValues(sim::ValueCore& core, long long count) {
    journal_.beginValueRun();
    ValueRecorder recorder(*this);
    const auto* stops = &breakpoints_.marks();
    const long long unrecorded = count - static_cast<long long>(StepJournal::maxSteps);
    // A Step's own highlight needs its last step recorded: only a run skips.
    if (unrecorded <= 0 || !running())
        return core.run(count, stops, recorder);
    const auto start = core.snapshot();
    sim::NoRecorder none;
    const long long done = core.run(unrecorded, stops, none);
    if (done < unrecorded || breakpoints_.has(core.selected())) {
        core.restore(start);
        return core.run(done, stops, recorder);
    }
    count_.instructions += done;
    count_.cycles += core.cycles();
    journal_.skipSteps(done, core);
    return done + core.run(count - done, stops, recorder);
}

} // namespace mirel::debug
