#pragma once

#include "main_form.h"

namespace mirel::state {

inline constexpr int enterKey = 13;

// A key typed in the entry line. Enter writes the entry into the selected
// program line; on the final line it opens a fresh address line after the
// program, elsewhere it selects the next line. An entry without its four
// address digits goes in at the selected line's address; one holding line
// breaks goes in line by line. Without a program, Enter first makes one as
// New does.
void Counter_KeyPress(MainForm& form, int key);

// Takes back the final program line, unless it is the only one.
void Mirel_Click(MainForm& form);

} // namespace mirel::state
