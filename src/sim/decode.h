#pragma once

#include "instruction.h"

#include <string_view>

namespace mirel::sim {

// Decodes a compact instruction text: the operation named by characters 5-7 and
// the operand fields the rules read.
Instruction decode(std::string_view compact);

} // namespace mirel::sim
