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
    // From Sta to Jbs the instructions on a register operand.
    enum class Op : std::uint8_t {
        Unresolved,
        None,     // no instruction: the cycle ends before the advance
        NoTarget, // a jump or call with no line to go to: a message
        Nop,
        Sta,
        ClrW,
        ClrRegister,
        Sub,
        Add,
        Ora,
        And,
        Xor,
        Lda,
        Dec,
        Inc,
        Cpl,
        Dez,
        Inz,
        Rra,
        Rla,
        Spa,
        Res,
        Set,
        Jbr,
        Jbs,
        Jmp,
        Jsr,
        Ret,
        Rts,
    };
    Op op = Op::Unresolved;
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

// Jumps, calls, returns and NOP name no register.
inline bool namesRegister(const ValueLine& l) {
    return l.op >= ValueLine::Op::Sta && l.op <= ValueLine::Op::Jbs;
}

// `target`: the line a jump or call goes to, when there is one.
ValueLine resolveLine(const Instruction& instruction, std::optional<int> target);

} // namespace mirel::sim
