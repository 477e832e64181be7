#pragma once

#include "sim/part/part_machine.h"
#include "state/main_form.h"
#include "step_prediction.h"

namespace mirel::debug {

// The next Step under a part's rules, in words and as its changes: the
// part's own step run on an overlay of the machine (Timer0, port B's flags,
// an interrupt taken, SLP), which changes nothing.
StepExplanation explainPartStep(const state::MainForm& form, const sim::part::PartMachine& machine);

} // namespace mirel::debug
