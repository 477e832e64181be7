#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace mirel::sim {

// When a write to a watched line may meet a watch's condition, tested by a
// core as it writes. A write it lets pass cannot meet one; one it stops is
// compared in full after the step.
struct WatchTrigger {
    // Per new value: whether its write fires never, when it changes the
    // byte, or always (a watch on any write, or a value a condition names).
    static constexpr std::uint8_t never = 0, onChange = 1, always = 2;
    std::array<std::uint8_t, 256> on{};

    // Without branches: cores call it in their inner loop. Nonzero when
    // the write fires; `Changes`: some table fires on a change.
    template <bool Changes> std::uint8_t fires(int before, int now) const {
        const std::uint8_t when = on[static_cast<unsigned>(now) & 0xFF];
        if constexpr (Changes)
            return static_cast<std::uint8_t>(when > static_cast<std::uint8_t>(before == now));
        else
            return when;
    }
};

static_assert(sizeof(WatchTrigger) == 256, "a trigger's offset is its index shifted");

// A core's triggers, kept in the core itself so that a write reaches its
// trigger from the core's own address: index 0 is no watch, and each
// watched register has at most one more (there are at most 32 watches).
inline constexpr std::size_t maxTriggers = 33;
using WatchTriggers = std::array<WatchTrigger, maxTriggers>;

// What a core's watched run tests, chosen once for the run so that it pays
// only for the watches it has.
struct WatchScope {
    // Also the writes every step makes besides its operand's (flags, ports,
    // mirrors, W); without them a step writes a watched line at most once.
    bool everyWrite = true;
    // A trigger fires on a change, which needs the value before.
    bool changes = true;
};

// Whether a trigger fires on a change.
inline bool firesOnChange(const WatchTriggers& triggers) {
    for (const WatchTrigger& t : triggers)
        for (std::uint8_t when : t.on)
            if (when == WatchTrigger::onChange)
                return true;
    return false;
}

} // namespace mirel::sim
