#pragma once

#include "sim/ports.h"
#include "state/main_form.h"
#include "value_core.h"

namespace mirel::sim {

// The one place that brings the models up to date after a run on values:
// the register lines that differ, W, the stack, the selection with the entry
// line, the lamps and the input boxes. Each model hears once of each line
// that ended up different, however many steps changed it, so the views are
// told once per run instead of once per write.
void bringViewsUpToDate(state::MainForm& form, const ValueCore& core, PortTail& ports);

} // namespace mirel::sim
