#pragma once

#include <optional>
#include <string_view>

namespace mirel::files {

// The entry picked in the file dialog's type list; it alone decides how a file is read.
enum class ProgramKind { Hex = 1, Text = 2, Mirel = 3 };

std::optional<ProgramKind> kindFromName(std::string_view name); // "hex", "text", "mrl"

} // namespace mirel::files
