#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace mirel::sim {

// When a write to a watched line may meet a watch's condition, tested by a
// core as it writes. A write it lets pass cannot meet one; one it stops is
// compared in full after the step.
struct WatchTrigger {
    // Per new value: whether its write fires never, when it changes the
    // byte, or always (a watch on any write, or a value a condition names).
    static constexpr std::uint8_t never = 0, onChange = 1, always = 2;
    std::array<std::uint8_t, 256> on{};
};

// Trigger 0 is no watch, and each watched register has at most one more
// (there are at most 32 watches).
inline constexpr std::size_t maxTriggers = 33;

// The triggers as a core keeps them, in the core itself: one table, and
// for each line (or home address) its trigger's offset there, 0 where the
// line is not watched. A write reaches its byte with one addition.
struct WatchTable {
    std::array<std::uint16_t, 1024> lines{};
    std::array<std::uint8_t, maxTriggers * 256> on{};

    // Takes each line's trigger, by index into `triggers`.
    void set(const std::array<std::uint8_t, 1024>& lineTriggers,
             const std::vector<WatchTrigger>& triggers) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            lines[i] = static_cast<std::uint16_t>(lineTriggers[i] * 256);
        on.fill(WatchTrigger::never);
        for (std::size_t t = 0; t < triggers.size() && t < maxTriggers; ++t)
            std::copy(triggers[t].on.begin(), triggers[t].on.end(), on.begin() + 256 * t);
    }
    bool watched(int line) const { return lines[static_cast<std::size_t>(line)] != 0; }
    bool firesOnChange() const {
        return std::find(on.begin(), on.end(), WatchTrigger::onChange) != on.end();
    }

    // Without branches: cores call it in their inner loop. Nonzero when a
    // write of `now` to a line of trigger `offset` fires; `Changes`: some
    // trigger fires on a change.
    template <bool Changes> std::uint8_t fires(unsigned offset, int before, int now) const {
        const std::uint8_t when = on[offset + (static_cast<unsigned>(now) & 0xFF)];
        if constexpr (Changes)
            return static_cast<std::uint8_t>(when > static_cast<std::uint8_t>(before == now));
        else
            return when;
    }
};

// What a core's watched run tests, chosen once for the run so that it pays
// only for the watches it has.
struct WatchScope {
    // Also the writes every step makes besides its operand's (flags, ports,
    // mirrors, W); without them a step writes a watched line at most once.
    bool everyWrite = true;
    // A trigger fires on a change, which needs the value before.
    bool changes = true;
};

} // namespace mirel::sim
