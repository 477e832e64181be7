#pragma once

#include "model.h"

#include <string>

namespace mirel::device {

// What a register line stands for under a part's rules, for its tooltip:
// "16F84A: OPTION_REG", "16F628A: STATUS, as at 0003", "16F84A: no register,
// reads 00". Empty for the teaching model, whose lines are all plain storage.
std::string registerNote(Model model, int index);

} // namespace mirel::device
