#pragma once

#include <string>
#include <vector>

namespace mirel::files {

// Program memory lines from a text file: each file line without its tabs,
// split at fixed positions into address (1-4), mnemonic (5-7) and operand (8-).
std::vector<std::string> readTextProgram(const std::string& bytes);

} // namespace mirel::files
