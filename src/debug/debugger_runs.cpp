// Runs on values go bare under the debugger: the journal keeps the machine
// where each begins, and a run replays as it ran. A run is no longer than the
// history, so that a snapshot lies at most that far before any step in reach.
#include "debugger.h"
#include "line_notices.h"

#include <algorithm>

namespace mirel::debug {

namespace {

constexpr auto longestRun = static_cast<long long>(StepJournal::maxSteps);

} // namespace

long long Debugger::runOnValues(sim::ValueCore& core, long long count) {
    machineChanging();
    ran_ = watches_.empty() ? core.run(std::min(count, longestRun), &breakpoints_.marks())
                            : watchedRun(core, std::min(count, longestRun));
    count_.instructions += ran_;
    count_.cycles += core.cycles();
    return ran_;
}

long long Debugger::runOnPartValues(sim::part::PartValueCore& core, long long count) {
    machineChanging();
    ran_ = watches_.empty() ? core.run(std::min(count, longestRun), &breakpoints_.marks())
                            : watchedPartRun(core, std::min(count, longestRun));
    PartRunNotices notices;
    partRunFinished(core, ran_, notices);
    return ran_;
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
