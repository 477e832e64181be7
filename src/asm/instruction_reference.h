#pragma once

#include "instruction_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace mirel::assembler {

// One line of the instruction reference: a form of the instruction table as
// a learner reads it. Texts are UTF-8.
struct ReferenceEntry {
    const InstructionForm* form;
    std::string mnemonic;
    std::string typed;   // as typed in the entry line: "ADD 20 W or ADD 20"
    std::string does;    // one plain sentence
    std::string flags;   // which of Z and C it changes: "Z C", "Z", "C" or "-"
    std::string cycles;  // "1", "2", "1, 2 when it skips", "0: stops"
    std::string pattern; // the word, bit 13 first: "00 0111 dfff ffff"
};

// What the reference's letters and marks mean, in one paragraph.
std::string_view referenceLegend();

// Every form of the instruction table, by mnemonic; a mnemonic's register
// form comes before its literal form.
std::vector<ReferenceEntry> instructionReference();

// A form's example operands as typed: "20" for a register, "20 W" and "20"
// for a result to W or back into the register, "05,1" for a bit, "0345" for
// an address, "3F H" for a literal, "6" for a port.
std::vector<std::string> typedForms(const InstructionForm& form);

// Bits 13 to 0 in groups of two and four: fixed bits as 0 and 1, the
// operand's bits by their letter (f, d, b, a, k, p), bits of no meaning as x.
std::string wordPattern(const InstructionForm& form);

// Whether an entry passes a filter, ignoring case: every blank-separated
// word of the filter must match. A word that is a mnemonic matches that
// mnemonic only; any other word is looked for in the entry's texts.
bool matchesFilter(const ReferenceEntry& entry, std::string_view filter);

} // namespace mirel::assembler
