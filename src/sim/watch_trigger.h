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
    bool onChange = false;

    bool fires(int before, int now) const {
        return on[static_cast<unsigned>(now) & 0xFF] != 0 || (onChange && before != now);
    }
};

} // namespace mirel::sim
