#pragma once

#include "asm/instruction_table.h"

#include <optional>

namespace mirel::sim {

// A program line as the cycle needs it, read once from its compact
// instruction text (address 1-4, mnemonic 5-7, operand from 8) by the same
// fixed-position rules the instructions are defined by, so that odd, short or
// hand-typed operands behave exactly as their text says.
struct Instruction {
    // The assembler's operation characters 5-7 name; none: the cycle ends.
    std::optional<assembler::Operation> operation;
    int length = 0;              // of the compact text
    int operand = 0;             // characters 8 and 9 as hex: register address or literal
    bool sharedRegister = false; // characters 8 and 9 name a register of every bank
    char mark = 0;               // character 10: destination mark or comma; 0 when none
    int bit = -1;                // character 11 as hex when it names a bit 0 to 7
    int target = 0;              // characters 8 to 11 as hex: a jump or call target
};

// Whether the instruction goes to a line of its own choosing by address.
inline bool jumpsByAddress(const Instruction& instruction) {
    return instruction.operation == assembler::Operation::Jmp ||
           instruction.operation == assembler::Operation::Jsr;
}

} // namespace mirel::sim
