#pragma once

#include "batch_options.h"

#include <iosfwd>

namespace mirel::batch {

// Grades every file of --check against the exercise, each on a fresh
// machine, one line per file. Exit status 0 when every file passed, 1 when
// any did not, 2 for an exercise file that cannot be read or a report that
// cannot be written.
int checkBatch(const BatchOptions& options, std::ostream& out, std::ostream& err);

} // namespace mirel::batch
