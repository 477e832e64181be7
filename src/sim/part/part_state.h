#pragma once

#include <array>
#include <cstdint>

namespace mirel::sim::part {

// What a part holds that no register line shows. Small and plain, so that a
// step can be taken back by putting an earlier copy in place.
struct PartState {
    std::uint16_t pc = 0; // the next instruction's address, where no line is selected
    // Timer0: cycles counted towards the next increment, and cycles left
    // without counting after a write to TMR0.
    std::uint16_t prescaler = 0;
    std::uint8_t timerHold = 0;
    bool sleeping = false;
    std::uint8_t portB = 0; // the port B levels last seen, for edges
    // Port B as the last instruction that addressed it read it: an input of
    // RB7:RB4 that differs from it keeps setting RBIF.
    std::uint8_t portBLatch = 0;
    // The return stack as the part keeps it: eight slots used round and round.
    std::uint8_t stackPointer = 0;
    std::array<std::uint16_t, 8> stack{};

    bool operator==(const PartState&) const = default;
};

} // namespace mirel::sim::part
