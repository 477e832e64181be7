#pragma once

#include "parts/model.h"

#include <optional>
#include <string>

namespace mirel::shell {

// A register line of Reg (or W), whole or one bit, as the user names it.
struct RegisterReference {
    int reg = -1;     // Reg's line index; -1 for W
    int bit = -1;     // 0-7, or -1 for the whole byte
    std::string name; // "PORTB", "PORTB.3", "W", "20"
};

// Reads "20", "0C", "85", "TMR0", "portb", "W" and, where `bits` allows it,
// a bit after a dot ("PORTB.3", "20.7"): a name the model knows, else an
// address in hex below `registerLines`. On failure, `error` says why.
std::optional<RegisterReference> readRegisterReference(const std::string& text, parts::Model model,
                                                       int registerLines, bool bits,
                                                       std::string& error);

// The name the window gives a register line: the model's name for it
// ("TMR0"), else its address in hex ("20", "1A0").
std::string registerLineName(parts::Model model, int reg);

} // namespace mirel::shell
