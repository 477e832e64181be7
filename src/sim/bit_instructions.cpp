// Single-bit set, clear and test. The bit number is the one hex digit after
// the comma; assembled words carry 0 to 7, and a hand-typed larger number
// names no bit: such a line changes nothing and never skips.
#include "instruction_rules.h"

#include "state/register_file.h"

#include <optional>

namespace mirel::sim {

namespace {

std::optional<int> bitNumber(const Cycle& cycle) {
    if (cycle.instruction.bit < 0)
        return std::nullopt;
    return cycle.instruction.bit;
}

template <typename Change> Next changeBit(Cycle& cycle, Change change) {
    const auto b = bitNumber(cycle);
    if (!b)
        return Next::Advance;
    const int index = operand::registerIndex(cycle);
    storeRegister(cycle, index, change(state::readRegister(cycle.form, index), 1 << *b));
    return Next::Advance;
}

Next skipWhen(Cycle& cycle, bool skipOnSet) {
    const auto b = bitNumber(cycle);
    if (!b)
        return Next::Advance;
    const bool isSet = ((operand::registerValue(cycle) >> *b) & 1) != 0;
    if (isSet == skipOnSet)
        ++cycle.current;
    return Next::Advance;
}

} // namespace

Next res(Cycle& cycle) {
    return changeBit(cycle, [](int v, int mask) { return v & ~mask & 0xFF; });
}
Next set(Cycle& cycle) {
    return changeBit(cycle, [](int v, int mask) { return v | mask; });
}
Next jbr(Cycle& cycle) {
    return skipWhen(cycle, false);
}
Next jbs(Cycle& cycle) {
    return skipWhen(cycle, true);
}

} // namespace mirel::sim
