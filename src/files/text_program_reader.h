#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mirel::files {

// Program memory lines from a file of lines: each file line without its tabs,
// split at fixed positions into address (1-4), a three-letter mnemonic from
// `mnemonicAt` and the operand after it. Short lines split into whatever
// characters are there.
std::vector<std::string> splitProgramLines(const std::string& bytes, std::size_t mnemonicAt);

// Text file: address 1-4, mnemonic 5-7, operand from 8.
std::vector<std::string> readTextProgram(const std::string& bytes);

// Own-source file: address 1-4, the word 5-8 (dropped), mnemonic 9-11, operand
// from 12 with the blanks that follow the mnemonic.
std::vector<std::string> readMirelProgram(const std::string& bytes);

// What an example program shows: the first line that is not blank among the
// notes after the program's first empty line, without its line end and outer
// blanks; empty when there is none.
std::string exampleNote(std::string_view bytes);

} // namespace mirel::files
