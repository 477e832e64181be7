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

    // Without branches: cores call it in their inner loop.
    std::uint8_t fires(int before, int now) const {
        return static_cast<std::uint8_t>(on[static_cast<unsigned>(now) & 0xFF] >
                                         static_cast<std::uint8_t>(before == now));
    }
};

static_assert(sizeof(WatchTrigger) == 256, "a trigger's offset is its index shifted");

// A core's triggers, kept in the core itself so that a write reaches its
// trigger from the core's own address: index 0 is no watch, and each
// watched register has at most one more (there are at most 32 watches).
inline constexpr std::size_t maxTriggers = 33;
using WatchTriggers = std::array<WatchTrigger, maxTriggers>;

} // namespace mirel::sim
