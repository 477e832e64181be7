#pragma once

#include "main_form.h"
#include "platform.h"

namespace mirel::state {

// The window load sequence: placement first, then lamps dark, inputs hidden,
// the stack emptied, the run buttons disabled, the timer off. Reg, Code,
// Counter and W are left alone.
void Form_Load(MainForm& form, WindowPlacement& placement);

// The New command: a fresh load, 513 cleared registers, one empty program line.
void NewProgram(MainForm& form, WindowPlacement& placement);

// What New and a successful Open do last: the program may be run.
void enableProgramButtons(MainForm& form);

} // namespace mirel::state
