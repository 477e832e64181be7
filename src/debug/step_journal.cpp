#include "step_journal.h"

#include <algorithm>
#include <iterator>

namespace mirel::debug {

void StepJournal::keep(sim::part::PartMachine* machine, const CycleCount& count, bool anyTyped) {
    // Of the snapshots before the oldest step in reach only the latest is
    // needed: the one before it is filled again.
    if (snapshots_.size() > 1 && std::next(snapshots_.begin())->first <= oldest())
        spares_.push_back(snapshots_.extract(snapshots_.begin()));
    MachineSnapshot* snapshot = nullptr;
    if (!spares_.empty()) {
        // Positions only grow between take-backs: the new one goes last.
        auto& spare = spares_.back();
        spare.key() = position_;
        const auto placed = snapshots_.insert(snapshots_.end(), std::move(spare));
        if (!spare)
            spares_.pop_back();
        snapshot = &placed->second;
    } else {
        snapshot = &snapshots_[position_];
    }
    snapshot->take(form_, machine, ports_, stackLog_, anyTyped);
    snapshot->position = position_;
    snapshot->count = count;
    nextKept_ = position_ + spacing;
    leftSelected_ = form_.Code.selectedIndex();
    if (selections_.empty()) {
        selections_.resize(room);
        first_ = end_ = selections_.data();
    }
    // The snapshots and selections out of reach go a batch at a time.
    if (++kept_ % 64 == 0)
        dropOutOfReach();
}

void StepJournal::dropOutOfReach() {
    // They are kept to be filled again without allocating.
    while (snapshots_.size() > 1 && std::next(snapshots_.begin())->first <= oldest())
        spares_.push_back(snapshots_.extract(snapshots_.begin()));
    const long long from = snapshots_.begin()->first;
    first_ = std::lower_bound(first_, end_, from, [](const Selection& s, long long position) {
        return s.position < position;
    });
    Selection* const start = selections_.data();
    if ((first_ - start) * 2 > end_ - start) {
        takenOff_ += static_cast<unsigned>(first_ - start);
        end_ = std::copy(first_, end_, start);
        first_ = start;
    }
}

const MachineSnapshot& StepJournal::restoreBefore(long long position,
                                                  sim::part::PartMachine* machine) {
    oldest_ = oldest();
    snapshots_.erase(snapshots_.upper_bound(position), snapshots_.end());
    while (end_ > first_ && end_[-1].position > position) {
        --end_;
        ++takenOff_;
    }
    holdQuickSteps();
    const MachineSnapshot& snapshot = std::prev(snapshots_.end())->second;
    snapshot.restore(form_, machine);
    position_ = snapshot.position;
    nextKept_ = position_ + spacing;
    leftSelected_ = form_.Code.selectedIndex();
    return snapshot;
}

long long StepJournal::nextSelection(long long from, long long to) const {
    const Selection* after =
        std::upper_bound(first_, end_, from, [](long long position, const Selection& s) {
            return position < s.position;
        });
    return after == end_ ? to : std::min(to, after->position);
}

void StepJournal::reselect() {
    if (end_ == first_ || end_[-1].position < position_)
        return;
    if (const auto selected = selectionAt(position_)) {
        restoreEntryLine(form_, *selected, *selected, 0, 0, {});
        leftSelected_ = *selected;
    }
}

std::optional<int> StepJournal::selectionAt(long long position) const {
    const Selection* at = std::lower_bound(
        first_, end_, position, [](const Selection& s, long long p) { return s.position < p; });
    if (at == end_ || at->position != position)
        return std::nullopt;
    return at->selected;
}

void StepJournal::forget() {
    ++history_;
    snapshots_.clear();
    stackLog_ = StackLog{};
    takenOff_ += static_cast<unsigned>(end_ - selections_.data());
    first_ = end_ = selections_.data();
    position_ = oldest_ = 0;
    nextKept_ = 0;
    holdQuickSteps();
}

} // namespace mirel::debug
