#include "watches.h"

#include "parts/register_map.h"
#include "state/hex_text.h"

#include <algorithm>

namespace mirel::debug {

void WatchList::setModel(parts::Model model) {
    if (model == model_)
        return;
    model_ = model;
    remark();
}

bool WatchList::add(const Watch& watch) {
    if (watches_.size() == maxWatches)
        return false;
    watches_.push_back(watch);
    writtenAt_[watches_.size() - 1] = -1;
    remark();
    return true;
}

void WatchList::replace(std::size_t i, const Watch& watch) {
    watches_[i] = watch;
    writtenAt_[i] = -1;
    remark();
}

void WatchList::remove(std::size_t i) {
    watches_.erase(watches_.begin() + static_cast<std::ptrdiff_t>(i));
    for (std::size_t j = i; j + 1 < maxWatches; ++j) {
        values_[j] = values_[j + 1];
        before_[j] = before_[j + 1];
        writtenAt_[j] = writtenAt_[j + 1];
    }
    hit_.reset();
    remark();
}

// Every line that shows a watched register carries the watch's bit.
void WatchList::remark() {
    marks_.fill(0);
    wMarks_ = 0;
    const parts::RegisterMap* map = parts::registerMap(model_);
    for (std::size_t i = 0; i < watches_.size(); ++i) {
        const Watch& w = watches_[i];
        const std::uint32_t bit = 1u << i;
        if (w.reg < 0) {
            wMarks_ |= bit;
            continue;
        }
        const auto at = static_cast<std::size_t>(w.reg);
        if (at >= marks_.size())
            continue;
        marks_[at] |= bit;
        if (map && at < map->home.size() && map->home[at] >= 0) {
            const auto home = static_cast<std::size_t>(map->home[at]);
            for (std::uint8_t c = 0; c < map->copyCount[home]; ++c)
                marks_[static_cast<std::size_t>(map->copies[home][c])] |= bit;
        }
    }
    makeTriggers();
}

// Lines followed by the same watches share a trigger.
void WatchList::makeTriggers() {
    lineTriggers_.fill(0);
    triggers_.assign(1, sim::WatchTrigger{});
    std::vector<std::uint32_t> made{0}; // the watches each trigger is made of
    for (std::size_t line = 0; line < marks_.size(); ++line) {
        const std::uint32_t watches = marks_[line];
        if (watches == 0)
            continue;
        const auto found = std::find(made.begin(), made.end(), watches);
        if (found != made.end()) {
            lineTriggers_[line] = static_cast<std::uint8_t>(found - made.begin());
            continue;
        }
        // A line's watches are its register's, so there is a trigger for each
        // watched register at most; should the cores' room run out, the last
        // trigger takes the others in too and fires more often than needed.
        const sim::WatchTrigger trigger = triggerOf(watches);
        if (triggers_.size() == sim::maxTriggers) {
            auto& last = triggers_.back().on;
            for (std::size_t v = 0; v < last.size(); ++v)
                last[v] = std::max(last[v], trigger.on[v]);
            lineTriggers_[line] = static_cast<std::uint8_t>(sim::maxTriggers - 1);
            continue;
        }
        lineTriggers_[line] = static_cast<std::uint8_t>(made.size());
        made.push_back(watches);
        triggers_.push_back(trigger);
    }
}

// A value condition is a table over the bytes written; a change of a bit
// is caught, more often than needed, as a change of its byte.
sim::WatchTrigger WatchList::triggerOf(std::uint32_t watches) const {
    sim::WatchTrigger trigger;
    for (std::uint32_t left = watches; left != 0; left &= left - 1) {
        const auto i = static_cast<std::size_t>(std::countr_zero(left));
        const Watch& w = watches_[i];
        switch (w.condition) {
        case WatchCondition::None:
            break;
        case WatchCondition::AnyWrite:
            trigger.on.fill(sim::WatchTrigger::always);
            break;
        case WatchCondition::Change:
            for (auto& on : trigger.on)
                on = std::max(on, sim::WatchTrigger::onChange);
            break;
        default:
            for (std::size_t v = 0; v < trigger.on.size(); ++v) {
                if (meets(w, 0, watchedValue(i, static_cast<int>(v))))
                    trigger.on[v] = sim::WatchTrigger::always;
            }
        }
    }
    return trigger;
}

std::string WatchList::hitText(const WatchHit& hit, const std::string& lineAddress) const {
    const Watch& w = watches_[hit.watch];
    const auto show = [&](int v) { return w.bit < 0 ? state::hex2(v) : std::to_string(v); };
    std::string text = "Watch: " + w.name;
    text += hit.before == hit.after
                ? " written with " + show(hit.after)
                : " changed from " + show(hit.before) + " to " + show(hit.after);
    if (!lineAddress.empty())
        text += " by the line at " + lineAddress;
    return text + ".";
}

} // namespace mirel::debug
