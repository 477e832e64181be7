#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace mirel::batch {

// The whole of mirelsim-batch for the arguments after the program name:
// the usage on `out` for --help, else the run; returns the exit status.
int batchMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace mirel::batch
