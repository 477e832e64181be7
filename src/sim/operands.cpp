#include "instruction_rules.h"

#include "state/register_file.h"

namespace mirel::sim {

namespace operand {

int registerIndex(const Cycle& cycle) {
    return state::bankedIndex(cycle.form, cycle.instruction.operand,
                              cycle.instruction.sharedRegister);
}

int registerValue(const Cycle& cycle) {
    return state::readRegister(cycle.form, registerIndex(cycle));
}

bool toW(const Cycle& cycle) {
    return cycle.instruction.mark == 'W';
}

} // namespace operand

void storeResult(Cycle& cycle, bool toW, int index, int value) {
    if (toW)
        storeW(cycle, value);
    else
        storeRegister(cycle, index, value);
}

} // namespace mirel::sim
