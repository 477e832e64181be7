// A run on values at full speed goes bare, with nothing recorded as it runs:
// the journal keeps a snapshot to record it from when something needs the
// records.
#include "bare_run.h"
#include "debugger.h"

namespace mirel::debug {

long long Debugger::runOnValues(sim::ValueCore& core, long long count) {
    constexpr auto reach = static_cast<long long>(StepJournal::maxSteps);
    const auto* stops = &breakpoints_.marks();
    // A run of its own is read as soon as it is over: recorded as it runs,
    // it need not run twice.
    if (!running() && count <= reach) {
        const long long done = journal_.recordRun(core, count, stops);
        count_.instructions += done;
        count_.cycles += core.cycles();
        return done;
    }
    auto run = runBare(core, count, breakpoints_, [&](long long ran) {
        count_.instructions += ran;
        count_.cycles += core.cycles();
    });
    journal_.addUnrecordedRun(core, std::move(run.start), run.skipped, run.done - run.skipped);
    return run.done;
}

} // namespace mirel::debug
