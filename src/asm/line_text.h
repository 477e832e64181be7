#pragma once

#include <string>
#include <string_view>

namespace mirel::assembler {

// Whether a compact instruction text starts with a four-digit address.
bool startsWithAddress(std::string_view compact);

// A program line's instruction for a message: without its address when it
// carries one, tabs shown as blanks, in UTF-8 as messages are.
std::string instructionForMessage(const std::string& line, bool hasAddress);

} // namespace mirel::assembler
