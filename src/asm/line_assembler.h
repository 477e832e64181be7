#pragma once

#include <string>
#include <string_view>

namespace mirel::assembler {

// The assembler's two answers that are no word.
inline constexpr std::string_view addressAnswer = "ADR"; // no mnemonic at the start
inline constexpr std::string_view endAnswer = "END";     // the end mark

// One statement text (no blanks or tabs, upper case) to the word text of its
// instruction: four upper-case hexadecimal digits. Operands sit at fixed
// positions: f or k at characters 4-5, the W or H mark at 6, the bit number
// at 7, a program address at 5-7. A text that starts with no mnemonic answers
// "ADR", the end mark "END"; a malformed operand gives an empty or short
// answer, which the export walk refuses.
std::string AsmCodeRun(std::string_view text);

// Whether an answer is a word text: exactly four upper-case hexadecimal digits.
bool isWordText(std::string_view answer);

} // namespace mirel::assembler
