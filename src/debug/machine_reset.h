#pragma once

#include "state/main_form.h"

namespace mirel::debug {

// The machine as a successful Open of the same program leaves it, without a
// file: registers cleared, stack emptied, W "00", lamps dark, input boxes
// hidden (their ticks kept), line 0 current. Program lines stay.
void resetMachine(state::MainForm& form);

} // namespace mirel::debug
