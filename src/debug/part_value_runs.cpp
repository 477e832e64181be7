// A run under a part's rules goes on the part's value core, each step
// recorded as it runs; of a run longer than the journal holds only the last
// steps are recorded, from a snapshot.
#include "debugger.h"
#include "line_notices.h"

#include <algorithm>
#include <optional>

namespace mirel::debug {

long long Debugger::runOnPartValues(sim::device::PartValueCore& core, long long count) {
    constexpr auto reach = static_cast<long long>(StepJournal::maxSteps);
    const auto* stops = &breakpoints_.marks();
    PartRunNotices notices;
    if (count <= reach) {
        const long long done = journal_.recordPartRun(core, count, stops, partStates_);
        partRunFinished(core, done, notices);
        return done;
    }
    // Bare chunks, with a snapshot before each: the records begin at the
    // latest that leaves at least maxSteps after it.
    auto latest = core.snapshot();
    long long latestAt = 0;
    std::optional<sim::device::PartValueCore::Snapshot> before;
    long long done = 0;
    for (;;) {
        const long long chunk = std::min(count - done, reach);
        const long long ran = core.run(chunk, stops);
        done += ran;
        partRunFinished(core, ran, notices);
        if (ran < chunk || done == count || breakpoints_.has(core.selected()))
            break;
        before = std::move(latest);
        latest = core.snapshot();
        latestAt = done;
    }
    const bool fromLatest = !before || done - latestAt >= reach;
    const long long from = fromLatest ? latestAt : latestAt - reach;
    // The steps run again: counted and told of already.
    core.restore(fromLatest ? latest : *before);
    if (from == 0)
        journal_.recordPartRun(core, done, nullptr, partStates_);
    else
        journal_.recordPartRunFrom(core, from, done - from, partStates_);
    alignPartStates();
    return done;
}

// The counts, and what a run of Steps would have told: a step the part slept
// through, a program counter no line carries.
void Debugger::partRunFinished(const sim::device::PartValueCore& core, long long ran,
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
    alignPartStates();
}

} // namespace mirel::debug
