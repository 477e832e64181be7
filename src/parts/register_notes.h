#pragma once

#include "model.h"

#include <string>

namespace mirel::parts {

// What a register line stands for under a part's rules, for its tooltip:
// "16F84A: PORTA", "16F84A: general purpose, as at 000C", "16F84A: no
// register, reads 00"; the core registers also say what the part does with
// them that the teaching model does not. Empty for the teaching model.
std::string registerNote(Model model, int index);

} // namespace mirel::parts
