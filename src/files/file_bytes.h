#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirel::files {

// No program file comes near this size; a larger file is refused before it
// is read, so that a device or a runaway file cannot fill the memory.
inline constexpr std::size_t maxProgramFileBytes = 16 * 1024 * 1024;

// The whole file as bytes. Empty optional with `error` set when it cannot be
// opened or read, or is no regular file ("Cannot open NAME: REASON"), or is
// larger than maxProgramFileBytes ("NAME is too large to be a program.").
std::optional<std::string> readFileBytes(const std::string& path, std::string& error);

// Splits file text into fields ending at CR LF, a bare LF, a lone CR or any
// character of `alsoEnds`, leading blanks dropped when `skipBlanks`, and stops
// at the first empty field.
std::vector<std::string_view> fieldsUpToFirstEmpty(std::string_view bytes,
                                                   std::string_view alsoEnds, bool skipBlanks);

// Splits file text into lines at CR LF or a bare LF (a lone CR ends a line too)
// and stops at the first empty line, as every program reader does.
std::vector<std::string> linesUpToFirstEmpty(const std::string& bytes);

} // namespace mirel::files
