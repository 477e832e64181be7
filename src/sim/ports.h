#pragma once

#include "state/main_form.h"

namespace mirel::sim {

// The port part of the common tail: lamps follow PORTA/PORTB, the input boxes
// follow TRISA/TRISB, and ticked inputs are merged into the port registers.
void refreshPorts(state::MainForm& form);

} // namespace mirel::sim
