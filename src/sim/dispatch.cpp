#include "dispatch.h"

#include "asm/instruction_table.h"
#include "instruction_rules.h"
#include "state/program_text.h"

namespace mirel::sim {

namespace {

using assembler::Operation;

// The rule of each operation; the two words that are only ever disassembled have none.
Next (*ruleOf(Operation operation))(Cycle&) {
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

std::optional<Next> execute(Cycle& cycle) {
    const auto operation = assembler::operationOf(state::mid(cycle.text, 5, 3));
    if (!operation)
        return std::nullopt;
    const auto rule = ruleOf(*operation);
    if (!rule)
        return std::nullopt;
    return rule(cycle);
}

} // namespace mirel::sim
