#pragma once

#include "part_machine.h"
#include "part_value_core.h"
#include "sim/ports.h"
#include "state/main_form.h"

namespace mirel::sim::part {

// The models after a part's run on values, as its Steps would have left
// them: the register lines that ended different, W, the stack, the
// selection with the entry line, the lamps and boxes, and the part's hidden
// state. Each model hears once of each change.
void bringViewsUpToDate(state::MainForm& form, const PartValueCore& core, PartMachine& machine,
                        PortTail& ports);

} // namespace mirel::sim::part
