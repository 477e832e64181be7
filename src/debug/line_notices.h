#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mirel::debug {

// The status texts that say why a line did nothing. A line is named by the
// address it carries, or by its index as four hexadecimal digits when it
// carries none.
std::string lineName(const std::string& line, int index);

// The statement as the cycle reads it from a compact text (mnemonic from
// character 5), written as the program list writes instructions: "ADD 20 W".
std::string statementText(std::string_view compact);

std::string nothingExecutedNotice(const std::string& line, int index);

// A part that sleeps executes nothing until an interrupt wakes it.
inline constexpr const char* sleepingNotice = "Sleeping";
// The part's program counter at an address no line carries.
std::string erasedWordNotice(int address);
std::string breakpointNotice(const std::string& line, int index);

// "Line 0002: MOV 06 is not an instruction." for a line whose statement the
// assembler gives no word for; nothing for an instruction, an empty line, an
// address alone or the end mark.
std::optional<std::string> notAnInstructionNotice(const std::string& line, int index);

} // namespace mirel::debug
