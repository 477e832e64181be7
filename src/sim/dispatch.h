#pragma once

#include "cycle.h"

#include <optional>

namespace mirel::sim {

// Runs the instruction named by characters 5-7 of the compact text. Empty when
// the mnemonic has no rule: the cycle then ends without advance or tail.
std::optional<Next> execute(Cycle& cycle);

} // namespace mirel::sim
