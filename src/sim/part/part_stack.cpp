#include "part_stack.h"

#include "sim/teaching/return_stack.h"
#include "state/hex_text.h"

namespace mirel::sim::part {

void pushAddress(state::MainForm& form, state::MessageBoxService& messages, PartState& state,
                 int address) {
    state.stack[state.stackPointer] = static_cast<std::uint16_t>(address);
    state.stackPointer = static_cast<std::uint8_t>((state.stackPointer + 1) & 7);
    form.SPReg.append(state::hex4(address));
    if (stackDepth(form) > stackLimit) {
        form.SPReg.removeAt(1); // the slot it took held the oldest
        messages.show(stackOverflowMessage, state::applicationTitle, state::MessageIcon::None);
    }
}

int popAddress(state::MainForm& form, state::MessageBoxService& messages, PartState& state) {
    state.stackPointer = static_cast<std::uint8_t>((state.stackPointer + 7) & 7);
    if (stackDepth(form) > 0)
        form.SPReg.removeAt(form.SPReg.count() - 1);
    else
        messages.show(stackUnderflowMessage, state::applicationTitle, state::MessageIcon::None);
    return state.stack[state.stackPointer];
}

} // namespace mirel::sim::part
