#pragma once

#include "instruction.h"

#include <cstdint>
#include <optional>

namespace mirel::sim {

// What a program line does, resolved once from its decoded text for the
// value core: the operand form chosen, the bit made a mask, the jump target
// found. Text: only the text rules can take the line (no instruction, or a
// jump or call with no line to go to, which shows a message).
struct ValueLine {
    enum class Op : std::uint8_t {
        Unresolved,
        Text,
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
    int target = -1;          // the line a jump or call goes to
};

// `target`: the line a jump or call goes to, when there is one.
ValueLine resolveLine(const Instruction& instruction, std::optional<int> target);

} // namespace mirel::sim
