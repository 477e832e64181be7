#include "watches.h"

#include "parts/register_map.h"
#include "state/hex_text.h"

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
