// A run under a part's rules goes on the part's value core: a run of its
// own recorded as it runs, one at full speed bare, with a snapshot the
// journal records it from when something needs the records (as
// value_runs.cpp does for the teaching model).
#include "bare_run.h"
#include "debugger.h"
#include "line_notices.h"

namespace mirel::debug {

long long Debugger::runOnPartValues(sim::part::PartValueCore& core, long long count) {
    constexpr auto reach = static_cast<long long>(StepJournal::maxSteps);
    const auto* stops = &breakpoints_.marks();
    PartRunNotices notices;
    // A run of its own is read as soon as it is over: recorded as it runs,
    // it need not run twice.
    if (!running() && count <= reach) {
        const long long done = journal_.recordPartRun(core, count, stops, partStates_);
        partRunFinished(core, done, notices);
        alignPartStates();
        return done;
    }
    auto run = runBare(core, count, breakpoints_,
                       [&](long long ran) { partRunFinished(core, ran, notices); });
    journal_.addUnrecordedPartRun(core, std::move(run.start), run.skipped, run.done - run.skipped,
                                  partStates_);
    return run.done;
}

// The counts, and what a run of Steps would have told: a step the part slept
// through, a program counter no line carries.
void Debugger::partRunFinished(const sim::part::PartValueCore& core, long long ran,
                               PartRunNotices& notices) {
    count_.instructions += core.executed();
    count_.cycles += core.cycles();
    if (core.executed() < ran && !notices.sleep) {
        notices.sleep = true;
        tellOncePerRun(sleepingNotice, sleepTold_);
    }
    if (core.firstPcWithoutLine() >= 0 && !notices.erased) {
        notices.erased = true;
        tellOncePerRun(erasedWordNotice(core.firstPcWithoutLine()), erasedTold_);
    }
}

} // namespace mirel::debug
