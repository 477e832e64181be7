#pragma once

#include "main_form.h"

#include <string>

namespace mirel::state {

// W read from its text by the hexadecimal reading rule.
int WData(const MainForm& form);
// The RW captions, bit 7 first.
std::string WTrans(const MainForm& form);
// The simulator's way of storing W: two upper-case hex digits.
void setW(MainForm& form, int value);
// Runs on every change of the W text: the bit labels follow.
void W_Change(MainForm& form);

} // namespace mirel::state
