#include "decode.h"

#include "asm/instruction_table.h"
#include "state/hex_text.h"
#include "state/program_text.h"
#include "state/register_file.h"

namespace mirel::sim {

Instruction decode(std::string_view compact) {
    Instruction instruction;
    instruction.operation = assembler::operationOf(state::mid(compact, 5, 3));
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
