#pragma once

#include <array>
#include <cstdint>

namespace mirel::sim {

// When a write to a watched line may meet a watch's condition, tested by a
// core as it writes: for the new values the table marks (all of them for a
// watch on any write), or on a change of the byte. A write it lets pass
// cannot meet one; one it stops is compared in full after the step.
struct WatchTrigger {
    std::array<std::uint8_t, 256> on{}; // 1 where a write of that value fires
    std::uint8_t onChange = 0;          // 1 when a change fires

    // Without branches: cores call it in their inner loop.
    std::uint8_t fires(int before, int now) const {
        return static_cast<std::uint8_t>(on[static_cast<unsigned>(now) & 0xFF] |
                                         (onChange & static_cast<std::uint8_t>(before != now)));
    }
};

} // namespace mirel::sim
