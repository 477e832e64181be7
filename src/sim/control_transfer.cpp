// Jumps, calls and returns select their next line themselves. When there is
// no line to go to, the user is told and the selection stays where it is.
#include "decoded_program.h"
#include "instruction_rules.h"
#include "return_stack.h"

#include "state/hex_text.h"
#include "state/register_file.h"

namespace mirel::sim {

namespace {

void warn(Cycle& cycle, const std::string& text) {
    cycle.messages.show(text, state::applicationTitle, state::MessageIcon::Exclamation);
}

// The first line carrying the target address; without one, the address as a line index.
std::optional<int> findTarget(Cycle& cycle) {
    const int address = cycle.instruction.target;
    const auto line = cycle.program.targetLine(cycle.current);
    if (!line)
        warn(cycle, std::string(noTargetLineMessage) + state::hex4(address & 0xFFFF) + ".");
    return line;
}

Next returnToCaller(Cycle& cycle) {
    const int next = popReturn(cycle) + 1;
    if (cycle.form.Code.validIndex(next))
        cycle.form.Code.select(next);
    else
        warn(cycle, noReturnLineMessage);
    return Next::TargetSelected;
}

} // namespace

Next jmp(Cycle& cycle) {
    if (const auto line = findTarget(cycle))
        cycle.form.Code.select(*line);
    return Next::TargetSelected;
}

Next jsr(Cycle& cycle) {
    if (const auto line = findTarget(cycle)) {
        pushReturn(cycle, cycle.current);
        cycle.form.Code.select(*line);
    }
    return Next::TargetSelected;
}

Next ret(Cycle& cycle) {
    storeW(cycle, cycle.instruction.operand);
    return returnToCaller(cycle);
}

Next rts(Cycle& cycle) {
    return returnToCaller(cycle);
}

} // namespace mirel::sim
