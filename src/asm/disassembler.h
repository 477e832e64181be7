#pragma once

#include <string>
#include <string_view>

namespace mirel::assembler {

// The instruction text of a word text (four upper-case hexadecimal digits):
// the mnemonic, and a tab and the operand when it has one; "None" or an empty
// text for a word that names no instruction. Each digit is decided on as a
// character, so anything but an upper-case hexadecimal digit matches no case.
std::string GetOpcodeName(std::string_view word);

// The operand f,d of a byte-oriented word from its third and fourth digits:
// "20 W" for d = 0, "20" for d = 1, "None" when the first is no digit.
std::string GetDF(std::string_view digits);

} // namespace mirel::assembler
