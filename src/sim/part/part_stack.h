#pragma once

#include "part_state.h"
#include "state/main_form.h"
#include "state/platform.h"

namespace mirel::sim::part {

// The part's eight-level return stack. Its slots are used round and round:
// a ninth call overwrites the oldest return address, and a return with none
// left takes whatever its slot holds. SPReg shows the addresses that are
// still there, as four hex digits, the newest last; the overflow and the
// underflow are told with the stack's usual messages.
void pushAddress(state::MainForm& form, state::MessageBoxService& messages, PartState& state,
                 int address);
int popAddress(state::MainForm& form, state::MessageBoxService& messages, PartState& state);

} // namespace mirel::sim::part
