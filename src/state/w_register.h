#pragma once

#include "main_form.h"

#include <optional>
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
// The value W's text stands for when a store of W may write it as a value
// (the line a write of that value makes): at most two hex digits, with the
// bit labels in step. Otherwise STA copies the text.
std::optional<int> plainW(const MainForm& form);

} // namespace mirel::state
