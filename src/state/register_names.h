#pragma once

#include <string>

namespace mirel::state {

// What a line of the register file stands for on the device (four banks of
// 128 registers and one line beyond them), and how this simulator treats it.
struct RegisterName {
    std::string name; // "STATUS", "general purpose"
    std::string copy; // "bank 1 copy" for a register the device shows in several banks
    std::string bits; // bit 7 first, "IRP RP1 RP0 TO PD Z DC C"; empty when none are named
    std::string note; // where this simulator treats it specially; empty when it does not
};

// For a register file index 0 to 512.
RegisterName registerName(int address);

// The name, its bits and its note as lines of a tooltip.
std::string registerTip(int address);

// The same for W, which has no line in the register file.
std::string wRegisterTip();

} // namespace mirel::state
