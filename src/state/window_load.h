#pragma once

#include "main_form.h"
#include "platform.h"

namespace mirel::state {

// The window load sequence: placement first, then lamps dark, inputs hidden,
// the stack emptied, the run buttons disabled, the timer off. Reg, Code,
// Counter and W are left alone.
void Form_Load(MainForm& form, WindowPlacement& placement);

// The New command: a fresh load, 513 cleared registers, one empty program
// line, no input box ticked.
void NewProgram(MainForm& form, WindowPlacement& placement);

// A new program starts with no input pin held high: ticks made for the last
// one would otherwise stay on boxes hidden from the user.
void untickInputs(MainForm& form);

// What New and a successful Open do last: the program may be run.
void enableProgramButtons(MainForm& form);

} // namespace mirel::state
