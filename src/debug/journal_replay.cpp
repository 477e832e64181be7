// Runs on values recorded as they run, and runs not recorded as they ran,
// recorded by running them again on the value core from their snapshots:
// either way the journal hears each write as the core makes it.
#include "step_journal.h"
#include "value_records.h"

#include "sim/teaching/value_core_steps.h"

namespace mirel::debug {

class StepJournal::Replay : public ValueRecords {
public:
    // `first`: the entry line before the first step, when it is where a run began.
    Replay(StepJournal& journal, const EntryLine* first) : ValueRecords(journal), first_(first) {}

    void valueStepStarting(int selected) {
        if (first_) {
            journal_.beginStepFrom(*first_);
            first_ = nullptr;
            return;
        }
        journal_.beginStepFrom({selected, selected, 0, 0, {}});
    }
    void stackPushed(int callingLine) { journal_.valueStackPushed(std::to_string(callingLine)); }

private:
    const EntryLine* first_;
};

long long StepJournal::recordRun(sim::ValueCore& core, long long count,
                                 const std::vector<char>* stops) {
    settle();
    if (controlsStale_)
        readControls();
    const EntryLine first = readEntryLine();
    Replay replay(*this, &first);
    return core.run(count, stops, replay);
}

void StepJournal::settle() {
    if (pending_.empty())
        return;
    std::deque<UnrecordedRun> runs;
    runs.swap(pending_);
    pendingSteps_ = 0;
    for (const UnrecordedRun& run : runs) {
        if (run.part) {
            settlePart(run);
            continue;
        }
        core_->restore(run.start, run.found);
        const EntryLine* first = run.entry ? &*run.entry : nullptr;
        long long steps = run.steps;
        // Only the last maxSteps can be taken back: the steps before them run bare.
        if (const long long bare = steps - static_cast<long long>(maxSteps); bare > 0) {
            core_->run(bare, nullptr);
            dropRecords();
            dropped_ += bare;
            steps -= bare;
            first = nullptr;
        }
        // Unless the records begin where the run began and the copies stand
        // there, they take the machine the records begin from.
        if (!first || copiesBehind_)
            adopt(*core_);
        controls_ = core_->controls(); // as the run found them, if stale since
        controlsStale_ = false;
        copiesBehind_ = false;
        Replay replay(*this, first);
        core_->run(steps, nullptr, replay);
    }
}

} // namespace mirel::debug
