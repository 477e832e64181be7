#include "decode.h"

#include "asm/instruction_table.h"
#include "instruction_rules.h"
#include "state/hex_text.h"
#include "state/program_text.h"
#include "state/register_file.h"

namespace mirel::sim {

namespace {

using assembler::Operation;

// The rule of each operation; the two words that are only ever disassembled have none.
Rule ruleOf(Operation operation) {
    switch (operation) {
    case Operation::Nop:
    case Operation::Slp:
    case Operation::Wdt:
        return nop;
    case Operation::Sta:
        return sta;
    case Operation::Clr:
        return clr;
    case Operation::Sub:
        return sub;
    case Operation::Dec:
        return dec;
    case Operation::Ora:
        return ora;
    case Operation::And:
        return andWith;
    case Operation::Xor:
        return xorWith;
    case Operation::Add:
        return add;
    case Operation::Lda:
        return lda;
    case Operation::Cpl:
        return cpl;
    case Operation::Inc:
        return inc;
    case Operation::Dez:
        return dez;
    case Operation::Inz:
        return inz;
    case Operation::Rra:
        return rra;
    case Operation::Rla:
        return rla;
    case Operation::Spa:
        return spa;
    case Operation::Res:
        return res;
    case Operation::Set:
        return set;
    case Operation::Jbr:
        return jbr;
    case Operation::Jbs:
        return jbs;
    case Operation::Jmp:
        return jmp;
    case Operation::Jsr:
        return jsr;
    case Operation::Ret:
        return ret;
    case Operation::Rts:
    case Operation::Rti:
        return rts;
    case Operation::Option:
    case Operation::Tris:
        return nullptr;
    }
    return nullptr;
}

} // namespace

Instruction decode(std::string_view compact) {
    Instruction instruction;
    if (const auto operation = assembler::operationOf(state::mid(compact, 5, 3)))
        instruction.rule = ruleOf(*operation);
    instruction.length = static_cast<int>(compact.size());
    const std::string_view digits = state::mid(compact, 8, 2);
    instruction.operand = state::readHex(digits);
    instruction.sharedRegister = state::sharedRegisterDigits(digits);
    if (compact.size() >= 10)
        instruction.mark = compact[9];
    // A missing bit number reads 0; a hand-typed one above 7 names no bit.
    const int bit = state::readHex(state::mid(compact, 11, 1));
    if (bit >= 0 && bit <= 7)
        instruction.bit = bit;
    instruction.target = state::readHex(state::mid(compact, 8, 4));
    return instruction;
}

} // namespace mirel::sim
