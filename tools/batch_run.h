#pragma once

#include "batch_options.h"

#include <iosfwd>

namespace mirel::batch {

// Opens, steps, saves and prints the state as the batch driver does; returns
// the exit status (0, or 2 when the file cannot be read or written).
int runBatch(const BatchOptions& options, std::ostream& out, std::ostream& err);

} // namespace mirel::batch
