#pragma once

#include "breakpoints.h"
#include "step_journal.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace mirel::debug {

// A run on values that goes bare, for either core: where the journal's
// records of it begin, and how many steps ran before that point.
template <typename Snapshot> struct BareRun {
    long long done;
    Snapshot start;
    long long skipped;
};

// Only the last steps the journal holds can be taken back: a run longer than
// that keeps a snapshot every maxSteps steps, and its records begin at the
// latest one that leaves at least maxSteps after it. `ran(steps)` hears each
// chunk as it ends.
template <typename Core, typename Ran>
BareRun<typename Core::Snapshot> runBare(Core& core, long long count,
                                         const Breakpoints& breakpoints, Ran&& ran) {
    constexpr auto reach = static_cast<long long>(StepJournal::maxSteps);
    auto latest = core.snapshot();
    long long latestAt = 0;
    std::optional<typename Core::Snapshot> before; // the one maxSteps before `latest`
    long long done = 0;
    for (;;) {
        const long long chunk = std::min(count - done, reach);
        const long long steps = core.run(chunk, &breakpoints.marks());
        done += steps;
        ran(steps);
        if (steps < chunk || done == count || breakpoints.has(core.selected()))
            break;
        before = std::move(latest);
        latest = core.snapshot();
        latestAt = done;
    }
    if (!before || done - latestAt >= reach)
        return {done, std::move(latest), latestAt};
    return {done, std::move(*before), latestAt - reach};
}

} // namespace mirel::debug
