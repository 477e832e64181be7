#pragma once

#include "files/program_kind.h"

#include <optional>
#include <string>
#include <vector>

namespace mirel::batch {

struct BatchOptions {
    files::ProgramKind kind = files::ProgramKind::Text;
    long long steps = 0;
    std::optional<files::ProgramKind> saveKind;
    std::string saveTo;
    std::string file;
};

// Parses the arguments after the program name. On a bad argument the result
// is empty and `error` says what is wrong, in one line.
std::optional<BatchOptions> parseBatchOptions(const std::vector<std::string>& args,
                                              std::string& error);

inline constexpr const char* batchUsage =
    "usage: mirelsim-batch [--kind hex|text|mrl] [--steps N] [--save hex|text|mrl OUT] FILE";

} // namespace mirel::batch
