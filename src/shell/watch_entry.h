#pragma once

#include "debug/watches.h"
#include "parts/model.h"

#include <optional>
#include <string>

namespace mirel::shell {

// The conditions as the Watch dialog lists them, in WatchCondition's order:
// "none", "any write", "on change", "equals", "not equals", "bit set", "bit clear".
const char* conditionName(debug::WatchCondition condition);
inline constexpr int conditionCount = 7;

// Whether a condition compares with a value the user gives: a byte for
// Equals and NotEquals, a bit's number for BitSet and BitClear on a whole register.
bool conditionNeedsValue(debug::WatchCondition condition, bool wholeRegister);

// A watch from the dialog's fields: the register by address or name with an
// optional bit ("PORTB.3"), the condition, and its value in hex (or the bit's
// number) where the condition needs one. On failure, `error` says what is wrong.
std::optional<debug::Watch> readWatch(const std::string& reg, debug::WatchCondition condition,
                                      const std::string& value, parts::Model model,
                                      int registerLines, std::string& error);

// What the Watch table shows: a value in hex ("3F"), a bit as 0 or 1, and
// the condition with its value ("equals 3F", "bit set 3", "on change").
std::string watchValueText(const debug::Watch& watch, int value);
std::string watchConditionText(const debug::Watch& watch);

} // namespace mirel::shell
