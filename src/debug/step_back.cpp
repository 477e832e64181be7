// Taking steps back: the latest snapshot before the step goes back in place
// and the steps after it run again, silently: no message, no notice, the
// listeners not told, only the counts kept.
#include "debugger.h"
#include "silent_steps.h"

#include <algorithm>

namespace mirel::debug {

void Debugger::replay(long long steps) {
    for (long long done = 0; done < steps;)
        done += simulator_.run(steps - done);
}

// A long stretch without snapshots gets them on the way, so that the next
// take-back near it is quick; the lines the user selected are selected
// again where they were. The boxes the user ticked since are ticked
// again once the replay is over.
void Debugger::restoreTo(long long position) {
    highlightPending_ = false;
    silently([&] {
        auto* machine = simulator_.deviceMachine();
        const std::uint16_t ticks = readTicks(form_);
        const MachineSnapshot& from = journal_.restoreBefore(position, machine);
        count_ = from.count;
        const std::uint16_t replayTicks = from.ticks;
        setTicks(form_, replayTicks);
        while (journal_.position() < position) {
            const long long at = journal_.position();
            // Steps out of Step Back's reach need no snapshots: they replay in one go.
            const long long reach = position - static_cast<long long>(StepJournal::maxSteps);
            const long long to = at + StepJournal::spacing < reach
                                     ? reach
                                     : std::min(at + StepJournal::spacing, position);
            const long long steps = journal_.nextSelection(at, to) - at;
            replay(steps);
            journal_.advance(steps);
            journal_.reselect();
            if (journal_.position() < position && journal_.keepDue())
                journal_.keep(machine, count_, watch_.anyTyped());
        }
        setTicks(form_, ticks);
        if (ticks != replayTicks)
            journal_.inputsTicked();
    });
}

bool Debugger::goTo(long long position) {
    if (running() || position < journal_.reach() || position == journal_.position())
        return false;
    if (position < journal_.position())
        restoreTo(position);
    else
        stepOnTo(position);
    startHighlight();
    notifyChanged();
    return true;
}

// Forward as Steps from here would go, with the inputs as they are now,
// snapshots kept on the way as Steps keep them.
void Debugger::stepOnTo(long long position) {
    highlightPending_ = false;
    auto* machine = simulator_.deviceMachine();
    silently([&] {
        while (journal_.position() < position) {
            if (journal_.keepDue())
                journal_.keep(machine, count_, watch_.anyTyped());
            const long long at = journal_.position();
            const long long steps = std::min(position, at + StepJournal::spacing) - at;
            replay(steps);
            journal_.advance(steps);
        }
    });
}

// The machine before the last step is brought back, the highlight starts
// there and the step is taken again.
void Debugger::highlightLastStep() {
    restoreTo(journal_.position() - 1);
    startHighlight();
    silently([&] {
        replay(1);
        journal_.advance(1);
    });
}

} // namespace mirel::debug
