#pragma once

#include "main_form.h"

namespace mirel::state {

// The current instruction: the selected line of Code, or line 0 when none is.
int currentIndex(const MainForm& form);

// The click event of Code: Counter shows the program from the selected line on.
void Code_Click(MainForm& form);

// Makes the line after `p` current. The selection never goes beyond the list:
// from the last index or beyond, the last line becomes (or stays) selected.
void ReLoadCode(MainForm& form, int p);

} // namespace mirel::state
