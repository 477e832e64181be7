#include "step_journal.h"

#include <iterator>

namespace mirel::debug {

void StepJournal::keep(sim::device::DeviceMachine* machine, const CycleCount& count) {
    MachineSnapshot* snapshot = nullptr;
    if (spare_) {
        spare_.key() = position_;
        auto placed = snapshots_.insert(std::move(spare_));
        if (!placed.inserted)
            spare_ = std::move(placed.node);
        snapshot = &placed.position->second;
    } else {
        snapshot = &snapshots_[position_];
    }
    snapshot->take(form_, machine);
    snapshot->position = position_;
    snapshot->count = count;
    untilKept_ = spacing;
    leftSelected_ = form_.Code.selectedIndex();
    // Of the snapshots before the oldest step in reach only the latest is needed.
    while (snapshots_.size() > 1 && std::next(snapshots_.begin())->first <= oldest()) {
        if (spare_)
            snapshots_.erase(snapshots_.begin());
        else
            spare_ = snapshots_.extract(snapshots_.begin());
    }
    const long long from = snapshots_.begin()->first;
    while (first_ < selections_.size() && selections_[first_].position < from)
        ++first_;
    if (first_ > 4096 && first_ * 2 > selections_.size()) {
        selections_.erase(selections_.begin(), selections_.begin() + static_cast<std::ptrdiff_t>(first_));
        first_ = 0;
    }
}

const MachineSnapshot& StepJournal::restoreBefore(long long position,
                                                  sim::device::DeviceMachine* machine) {
    oldest_ = oldest();
    snapshots_.erase(snapshots_.upper_bound(position), snapshots_.end());
    while (selections_.size() > first_ && selections_.back().position > position)
        selections_.pop_back();
    const MachineSnapshot& snapshot = std::prev(snapshots_.end())->second;
    snapshot.restore(form_, machine);
    position_ = snapshot.position;
    untilKept_ = spacing;
    leftSelected_ = form_.Code.selectedIndex();
    return snapshot;
}

long long StepJournal::nextSelection(long long from, long long to) const {
    const auto after = std::upper_bound(
        selections_.begin() + static_cast<std::ptrdiff_t>(first_), selections_.end(), from,
        [](long long position, const Selection& s) { return position < s.position; });
    return after == selections_.end() ? to : std::min(to, after->position);
}

void StepJournal::reselect() {
    if (selections_.size() == first_ || selections_.back().position < position_)
        return;
    const auto at = std::lower_bound(
        selections_.begin() + static_cast<std::ptrdiff_t>(first_), selections_.end(), position_,
        [](const Selection& s, long long position) { return s.position < position; });
    if (at == selections_.end() || at->position != position_)
        return;
    restoreEntryLine(form_, at->selected, at->selected, 0, 0, {});
    leftSelected_ = at->selected;
}

void StepJournal::forget() {
    snapshots_.clear();
    selections_.clear();
    first_ = 0;
    position_ = oldest_ = 0;
    untilKept_ = 0;
}

} // namespace mirel::debug
