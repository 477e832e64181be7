#pragma once

#include "parts/model.h"

#include <optional>
#include <string>

namespace mirel::debug {

// What an instruction's operand is not, although the line assembles and
// runs as its fixed positions say: a register written by name ("Line 0000:
// PORTB is not a register number: write 06."), a bit above 7. Nothing for
// an operand that is what it looks like.
std::optional<std::string> operandNotice(const std::string& line, int index, parts::Model model);

} // namespace mirel::debug
