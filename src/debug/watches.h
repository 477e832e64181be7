#pragma once

#include "parts/model.h"
#include "sim/watch_trigger.h"

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mirel::debug {

// When a watch stops a run: after a step that wrote its register (any
// write, even of the value it held), that changed it, or that wrote it
// with a value that equals or differs from one, or with a bit set or clear.
enum class WatchCondition : std::uint8_t {
    None,
    AnyWrite,
    Change,
    Equals,
    NotEquals,
    BitSet,
    BitClear
};

// A register line of Reg or W, whole or one bit, watched over the steps.
struct Watch {
    int reg = -1; // Reg's line index; -1 for W
    int bit = -1; // 0-7, or -1 for the whole byte
    WatchCondition condition = WatchCondition::None;
    // What Equals and NotEquals compare with; for BitSet and BitClear on a
    // whole register, the bit's number.
    int value = 0;
    std::string name; // as the window names it: "PORTB", "PORTB.3", "W", "20"
};

// The step that met a watch's condition.
struct WatchHit {
    std::size_t watch = 0;
    int before = 0, after = 0; // the watched value around the step
    int line = -1;             // the line whose step wrote it
};

// The watches and the values they show. Steps tell it which register lines
// they write; at a step's end it compares only the watches whose lines
// were written, so a step that writes none of them pays one test.
class WatchList {
public:
    static constexpr std::size_t maxWatches = 32;

    // Under a part a register's mirrors are one register: a write to any
    // of its lines is a write to the watched one.
    void setModel(parts::Model model);
    const std::vector<Watch>& watches() const { return watches_; }
    bool empty() const { return watches_.empty(); }
    // False when the list is full.
    bool add(const Watch& watch);
    void replace(std::size_t i, const Watch& watch);
    void remove(std::size_t i);

    // The watched value as `read` (Reg's line index, -1 for W) gives it.
    template <typename Read> int valueOf(std::size_t i, const Read& read) const {
        return watched(watches_[i], read);
    }
    // The value before the step to `position` of the history, when that
    // step wrote it; nothing otherwise.
    std::optional<int> before(std::size_t i, long long position) const {
        if (position != position_ || writtenAt_[i] != position)
            return std::nullopt;
        return before_[i];
    }

    // Takes every watched value from `read` (Reg's line index, -1 for W),
    // at `position` of the history; a step's writes are heard from here on.
    template <typename Read> void start(long long position, const Read& read) {
        position_ = position;
        written_ = 0;
        for (std::size_t i = 0; i < watches_.size(); ++i) {
            values_[i] = watched(watches_[i], read);
            writtenAt_[i] = -1;
        }
    }
    void written(int index) { written_ |= marksOf(index); }
    void wWritten() { written_ |= wMarks_; }
    // After a step that executed `line`; the first watch it met, if any, is
    // kept as hit() until the next start.
    template <typename Read> bool stepFinished(int line, const Read& read) {
        ++position_;
        if (written_ == 0) [[likely]]
            return false;
        const std::uint32_t written = written_;
        written_ = 0;
        return compare(written, position_, line, read);
    }
    // The watches following a register line, a bit each; W's.
    // Cores write no line beyond 1023: the index is only masked, not tested.
    std::uint32_t marksOf(int index) const {
        return marks_[static_cast<std::size_t>(index) & (marks_.size() - 1)];
    }
    std::uint32_t wMarks() const { return wMarks_; }
    // For a core that tests its writes itself: per register line an index
    // into triggers() (0 for a line no watch follows), each made of the
    // conditions of the watches on its lines.
    const std::array<std::uint8_t, 1024>& lineTriggers() const { return lineTriggers_; }
    const std::vector<sim::WatchTrigger>& triggers() const { return triggers_; }
    // The watches in `written` compared after the step to `position`, which
    // executed `line`: for a run that keeps the writes of each step itself.
    template <typename Read>
    bool compare(std::uint32_t written, long long position, int line, const Read& read) {
        return compare(written, position, line, read, [this](std::size_t i) { return values_[i]; });
    }
    // The same, for a core that kept the watched values before the step:
    // `before(i)` gives watch i's.
    template <typename Read, typename Before>
    bool compare(std::uint32_t written, long long position, int line, const Read& read,
                 const Before& before) {
        position_ = position;
        bool met = false;
        for (std::uint32_t left = written; left != 0; left &= left - 1) {
            const auto i = static_cast<std::size_t>(std::countr_zero(left));
            const int now = watched(watches_[i], read);
            before_[i] = before(i);
            values_[i] = now;
            writtenAt_[i] = position;
            if (!met && meets(watches_[i], before_[i], now)) {
                hit_ = WatchHit{i, before_[i], now, line};
                met = true;
            }
        }
        return met;
    }
    // After a run that compared only the steps whose writes could meet a
    // condition: every value as `read` gives it at `position`, and the
    // values before the run's last step of the watches in `written`.
    template <typename Read, typename Before>
    void runEnded(std::uint32_t written, long long position, const Read& read,
                  const Before& before) {
        position_ = position;
        for (std::size_t i = 0; i < watches_.size(); ++i) {
            values_[i] = watched(watches_[i], read);
            if ((written >> i) & 1) {
                before_[i] = before(i);
                writtenAt_[i] = position;
            }
        }
    }
    // Watch i's value in `value`, a whole register or W.
    int watchedValue(std::size_t i, int value) const {
        return watched(watches_[i], [value](int) { return value; });
    }
    const std::optional<WatchHit>& hit() const { return hit_; }
    void clearHit() { hit_.reset(); }

    // "PORTB changed from 00 to 01 at 0004 (on a change)": the status bar's words for a hit.
    std::string hitText(const WatchHit& hit, const std::string& lineAddress) const;

private:
    template <typename Read> static int watched(const Watch& w, const Read& read) {
        const int v = read(w.reg);
        return w.bit < 0 ? v : (v >> w.bit) & 1;
    }
    static bool meets(const Watch& w, int before, int now) {
        switch (w.condition) {
        case WatchCondition::None:
            return false;
        case WatchCondition::AnyWrite:
            return true;
        case WatchCondition::Change:
            return now != before;
        case WatchCondition::Equals:
            return now == w.value;
        case WatchCondition::NotEquals:
            return now != w.value;
        case WatchCondition::BitSet:
            return ((w.bit < 0 ? now >> w.value : now) & 1) != 0;
        case WatchCondition::BitClear:
            return ((w.bit < 0 ? now >> w.value : now) & 1) == 0;
        }
        return false;
    }
    void remark();
    void makeTriggers();
    sim::WatchTrigger triggerOf(std::uint32_t watches) const;

    std::vector<Watch> watches_;
    parts::Model model_ = parts::Model::Teaching;
    // For each register line, the watches that follow it, a bit each.
    std::array<std::uint32_t, 1024> marks_{};
    std::uint32_t wMarks_ = 0;
    std::array<std::uint8_t, 1024> lineTriggers_{};
    std::vector<sim::WatchTrigger> triggers_;
    std::uint32_t written_ = 0; // the watches the step so far wrote
    long long position_ = 0;
    std::array<int, maxWatches> values_{}, before_{};
    std::array<long long, maxWatches> writtenAt_{};
    std::optional<WatchHit> hit_;
};

} // namespace mirel::debug
