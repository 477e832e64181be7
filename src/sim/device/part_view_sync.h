#pragma once

#include "device_machine.h"
#include "part_value_core.h"
#include "sim/ports.h"
#include "state/main_form.h"

namespace mirel::sim::device {

// The models after a part's run on values, as its Steps would have left
// them: the register lines that ended different, W, the stack, the
// selection with the entry line, the lamps and boxes, and the part's hidden
// state. Each model hears once of each change.
void bringViewsUpToDate(state::MainForm& form, const PartValueCore& core, DeviceMachine& machine,
                        PortTail& ports);

} // namespace mirel::sim::device
