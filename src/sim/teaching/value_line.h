#pragma once

#include "instruction.h"

#include <array>
#include <cstdint>
#include <optional>

namespace mirel::sim {

// What a program line does, resolved from its decoded text for the
// teaching model's cycle (teaching/execute.h): the operand form chosen, the
// bit made a mask, the jump target found.
struct ValueLine {
    using Operation = assembler::Operation;
    // Lines the cycle reads otherwise than by their operation.
    enum class Form : std::uint8_t {
        Unresolved,  // not looked at yet
        Instruction, // `op` says what it does
        None,        // no instruction: the cycle ends before the advance
        NoTarget,    // a jump or call with no line to go to: a message
    };
    Form form = Form::Unresolved;
    // NOP for a line that changes nothing (SLP, WDT, a form of an
    // operation that does nothing); RTS for RTI; CLR with toW for CLR W.
    Operation op = Operation::Nop;
    std::uint8_t operand = 0; // register address or literal
    bool shared = false;      // a register every bank shares: no bank offset
    bool literal = false;     // the operand is the value, not a register
    bool toW = false;         // the result goes into W
    std::uint8_t mask = 0;    // the bit of a bit instruction
    int target = -1;          // the line a jump or call goes to; NoTarget: the address
    // The register each bank's offset makes of the operand (RP1 RP0 = 0 to 3).
    std::array<std::int16_t, 4> index{};
    // Whether the step may be one a run on values leaves to a Step, as the
    // machine stands: no instruction, a message, a store into a hand-typed line.
    bool guarded = false;
};

// STA to JBS in the assembler's table name a register; jumps, calls,
// returns and NOP do not.
inline bool namesRegister(const ValueLine& l) {
    return l.op >= ValueLine::Operation::Sta && l.op <= ValueLine::Operation::Jbs;
}

// `target`: the line a jump or call goes to, when there is one.
ValueLine resolveLine(const Instruction& instruction, std::optional<int> target);

} // namespace mirel::sim
