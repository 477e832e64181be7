#pragma once

#include "main_form.h"

namespace mirel::state {

inline constexpr int enterKey = 13;

// A key typed in the entry line. Enter writes the entry into the selected
// program line and opens a fresh address line after the program.
void Counter_KeyPress(MainForm& form, int key);

// Takes back the final program line, unless it is the only one.
void Mirel_Click(MainForm& form);

} // namespace mirel::state
