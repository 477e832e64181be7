// Jumps, calls and returns select their next line themselves. When there is
// no line to go to, the user is told and the selection stays where it is.
#include "address_index.h"
#include "instruction_rules.h"
#include "return_stack.h"

#include "state/hex_text.h"
#include "state/program_text.h"
#include "state/register_file.h"

namespace mirel::sim {

namespace {

// The four characters after the mnemonic, read as hex.
int targetAddress(const Cycle& cycle) {
    return state::readHex(state::mid(cycle.text, 8, 4));
}

// The first line carrying the address; without one, the address as a line index.
std::optional<int> targetLine(const Cycle& cycle, int address) {
    const auto carried = cycle.addresses ? cycle.addresses->firstLineWith(address)
                                         : firstLineWithAddress(cycle.form.Code, address);
    if (carried)
        return carried;
    if (cycle.form.Code.validIndex(address))
        return address;
    return std::nullopt;
}

void warn(Cycle& cycle, const std::string& text) {
    cycle.messages.show(text, state::applicationTitle, state::MessageIcon::Exclamation);
}

std::optional<int> findTarget(Cycle& cycle) {
    const int address = targetAddress(cycle);
    const auto line = targetLine(cycle, address);
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
    storeW(cycle, state::HexDecConvH(cycle.text));
    return returnToCaller(cycle);
}

Next rts(Cycle& cycle) {
    return returnToCaller(cycle);
}

} // namespace mirel::sim
