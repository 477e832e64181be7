#pragma once

#include "main_form.h"

namespace mirel::state {

// 0: the result was zero (Z set); 1: it was not (Z cleared). Other values change nothing.
void ZFlagChange(MainForm& form, int ZFlag);
// 0: no carry (C cleared); 1: carry (C set). Other values change nothing.
void CFlagChange(MainForm& form, int CFlag);

bool zeroFlag(const MainForm& form);
bool carryFlag(const MainForm& form);

} // namespace mirel::state
