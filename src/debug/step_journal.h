#pragma once

#include "machine_snapshot.h"
#include "sim/ports.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <vector>

namespace mirel::debug {

// The history behind Step Back: the number of steps taken, a snapshot of the
// whole machine every `spacing` steps and where the user ticked an input box
// or typed into the entry line, and the lines the user selected between
// steps. Any step is taken back by putting the latest snapshot before it back
// and replaying the steps from there, selecting those lines on the way; steps
// are deterministic, so the replay gives the machine exactly as it was.
//
// Any other change outside a step or a take-back (W typed, a program line
// edited, a new program) makes the history meaningless: it is forgotten.
class StepJournal {
public:
    static constexpr std::size_t maxSteps = 100000;
    static constexpr long long spacing = 128;

    StepJournal(state::MainForm& form, const sim::PortTail& ports) : form_(form), ports_(ports) {}

    // Steps that can be taken back.
    std::size_t size() const { return static_cast<std::size_t>(position_ - oldest()); }
    bool empty() const { return position_ == oldest(); }
    // Steps taken since the history began.
    long long position() const { return position_; }

    // Before a step or a run: whether note() must be called first. A step
    // that starts as the last one left the machine, with the entry line as
    // a step leaves it, calls nothing.
    // A line the user selected anew is noted on the way, with the entry line
    // as the selection fills it.
    [[gnu::always_inline]] bool due() {
        const int selected = form_.Code.selectedIndex();
        if (position_ >= nextKept_ || entryLineTouched(selected)) [[unlikely]]
            return true;
        if (selected != leftSelected_) [[unlikely]]
            return !noteSelection(selected);
        return false;
    }
    // Not when full, nor a second time at one position (a take-back ended
    // where a line was selected): the snapshot due instead keeps it.
    bool noteSelection(int selected) {
        if (end_ == selections_.data() + selections_.size() ||
            (end_ > first_ && end_[-1].position == position_)) [[unlikely]]
            return false;
        *end_++ = {position_, selected};
        leftSelected_ = selected;
        return true;
    }

    // The common Step asks less: while allowed, the steps up to the next
    // snapshot may ask quickStep() instead of due(), and then call
    // advance(1). Anything that makes a step unusual for the owner holds
    // them until the owner allows them again; so do a take-back, a tick and
    // a forgotten history here.
    void allowQuickSteps(bool allow) {
        // Room for a selection at each of them, and none noted at this position.
        allow = allow && selections_.data() + selections_.size() - end_ > spacing &&
                (end_ == first_ || end_[-1].position != position_);
        quickUntil_ = allow ? nextKept_ : 0;
    }
    void holdQuickSteps() { quickUntil_ = 0; }
    // Quick steps are allowed and reached the snapshot due: after keep() they go on.
    bool quickUntilSnapshot() const {
        return quickUntil_ != 0 && quickUntil_ == nextKept_ && position_ >= nextKept_;
    }
    void quickAfterSnapshot() { allowQuickSteps(true); }
    // due() for an allowed step; the line selected anew is noted.
    [[gnu::always_inline]] bool quickStep() {
        const int selected = form_.Code.selectedIndex();
        if (position_ >= quickUntil_ || entryLineTouched(selected)) [[unlikely]]
            return false;
        if (selected != leftSelected_) [[unlikely]]
            *end_++ = {position_, selected};
        return true;
    }
    // Keeps the machine as it stands, at the current position.
    // `anyTyped`: whether any register line holds a text typed by hand.
    void keep(sim::part::PartMachine* machine, const CycleCount& count, bool anyTyped);
    bool keepDue() const { return position_ >= nextKept_; }
    // `steps` more were taken; they left the machine as it stands.
    [[gnu::always_inline]] void advance(long long steps) {
        position_ += steps;
        leftSelected_ = form_.Code.selectedIndex();
    }
    void inputsTicked() {
        nextKept_ = position_;
        holdQuickSteps();
        ++ticks_;
    }

    // Puts back the latest snapshot at or before `position`, which becomes
    // the current position, and answers it; what was kept after `position` goes.
    const MachineSnapshot& restoreBefore(long long position, sim::part::PartMachine* machine);
    // The first position after `from` where the user selected a line, or `to`.
    long long nextSelection(long long from, long long to) const;
    // Selects the line the user selected at the current position, if any.
    void reselect();
    // Whether the latest steps lie further from a snapshot than the spacing,
    // as after a long run.
    bool gapBehind() const { return !snapshots_.empty() && position_ > nextKept_; }
    void forget();
    // Histories begun since the journal was made: a new one after forget().
    unsigned history() const { return history_; }
    // Counts what the user did between steps that the steps after depend
    // on (an input ticked, a line selected): steps taken back and taken
    // again give the same machine only while it stays the same.
    // Ticks, and selections noted: every selection kept or taken off counts.
    unsigned future() const {
        return ticks_ + static_cast<unsigned>(end_ - selections_.data()) + takenOff_;
    }

    // For a walk over the history that leaves it as it is (the timeline):
    // the snapshot at or before `position`, which must be in reach; the
    // position of the first snapshot after `position`, or `to`; the line the
    // user selected at `position`, if any.
    const MachineSnapshot& snapshotBefore(long long position) const {
        return std::prev(snapshots_.upper_bound(position))->second;
    }
    long long nextSnapshot(long long position, long long to) const {
        const auto after = snapshots_.upper_bound(position);
        return after == snapshots_.end() ? to : std::min(to, after->first);
    }
    std::optional<int> selectionAt(long long position) const;
    // The oldest position Step Back reaches.
    long long reach() const { return oldest(); }

private:
    // A line selected by hand between steps.
    struct Selection {
        long long position;
        int selected;
    };
    static constexpr std::size_t room = 2 * maxSteps;
    // The entry line is not as a step leaves it for line `selected`.
    bool entryLineTouched(int selected) const {
        const state::CounterModel& counter = form_.Counter;
        return counter.firstLine() != selected || (counter.caret() | counter.selectedEntry()) != 0;
    }
    void dropOutOfReach();
    long long oldest() const {
        return std::max(oldest_, position_ - static_cast<long long>(maxSteps));
    }

    state::MainForm& form_;
    const sim::PortTail& ports_;
    std::map<long long, MachineSnapshot> snapshots_; // by position
    // Oldest first, from first_ to end_: those before are out of reach, and go
    // in batches. Its room is made when the history starts: a step never grows it.
    std::vector<Selection> selections_;
    Selection* first_ = nullptr;
    Selection* end_ = nullptr;
    long long position_ = 0;
    long long oldest_ = 0;     // the oldest position Step Back reaches, once it went back
    StackLog stackLog_;        // the stack lines the snapshots share
    long long nextKept_ = 0;   // where a snapshot is due
    long long quickUntil_ = 0; // the steps before it may be quick ones
    unsigned history_ = 0;
    unsigned kept_ = 0; // snapshots taken
    unsigned ticks_ = 0;
    unsigned takenOff_ = 0; // selections taken off the end of selections_, or moved down
    int leftSelected_ = -2; // the line the last step left selected
    // Snapshots out of reach, kept to be filled again without allocating.
    std::vector<std::map<long long, MachineSnapshot>::node_type> spares_;
};

} // namespace mirel::debug
