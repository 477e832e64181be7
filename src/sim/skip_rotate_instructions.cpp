// Count-and-skip, rotate through carry and nibble swap. A skip is the current
// index moved on by one; the cycle's advance then passes over the next line.
#include "instruction_rules.h"

#include "state/flags.h"
#include "state/register_file.h"

namespace mirel::sim {

namespace {

// DEZ and INZ: Z follows the result, and a zero result skips.
Next countAndSkip(Cycle& cycle, int step) {
    const int index = operand::registerIndex(cycle);
    const int result = (state::readRegister(cycle.form, index) + step + 256) % 256;
    const int zero = result == 0 ? 0 : 1;
    if (zero == 0)
        ++cycle.current;
    state::ZFlagChange(cycle.form, zero);
    storeResult(cycle, operand::toW(cycle), index, result);
    return Next::Advance;
}

// The new carry goes into every STATUS copy before the result is stored, so a
// rotate of STATUS itself ends with the rotated value in line 3 only.
Next rotate(Cycle& cycle, int result, int newCarry) {
    const int index = operand::registerIndex(cycle);
    state::CFlagChange(cycle.form, newCarry);
    storeResult(cycle, operand::toW(cycle), index, result);
    return Next::Advance;
}

} // namespace

Next dez(Cycle& cycle) {
    return countAndSkip(cycle, -1);
}
Next inz(Cycle& cycle) {
    return countAndSkip(cycle, +1);
}

Next rra(Cycle& cycle) {
    const int v = operand::registerValue(cycle);
    const int oldCarry = state::carryFlag(cycle.form) ? 1 : 0;
    return rotate(cycle, oldCarry * 128 + v / 2, v % 2);
}

Next rla(Cycle& cycle) {
    const int v = operand::registerValue(cycle);
    const int oldCarry = state::carryFlag(cycle.form) ? 1 : 0;
    return rotate(cycle, (v * 2) % 256 + oldCarry, v / 128);
}

Next spa(Cycle& cycle) {
    const int index = operand::registerIndex(cycle);
    const int v = state::readRegister(cycle.form, index);
    storeResult(cycle, operand::toW(cycle), index, (v % 16) * 16 + v / 16);
    return Next::Advance;
}

} // namespace mirel::sim
