// A run on values at full speed goes bare, with nothing recorded as it runs:
// the journal keeps a snapshot to record it from when something needs the
// records.
#include "debugger.h"

#include <algorithm>
#include <optional>

namespace mirel::debug {

// Only the last steps the journal holds can be taken back: a run longer than
// that keeps a snapshot every maxSteps steps, and its record begins at the
// latest one that leaves at least maxSteps after it.
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
    auto latest = core.snapshot();
    long long latestAt = 0;
    std::optional<sim::ValueCore::Snapshot> before; // the one maxSteps before `latest`
    long long done = 0;
    for (;;) {
        const long long chunk = std::min(count - done, reach);
        const long long ran = core.run(chunk, stops);
        done += ran;
        count_.instructions += ran;
        count_.cycles += core.cycles();
        if (ran < chunk || done == count || breakpoints_.has(core.selected()))
            break;
        before = std::move(latest);
        latest = core.snapshot();
        latestAt = done;
    }
    const bool fromLatest = !before || done - latestAt >= reach;
    const long long from = fromLatest ? latestAt : latestAt - reach;
    journal_.addUnrecordedRun(core, fromLatest ? std::move(latest) : std::move(*before), from,
                              done - from);
    return done;
}

} // namespace mirel::debug
