#pragma once

#include "state/main_form.h"

#include <string>

namespace mirel::assembler {

struct ExportResult {
    // "Line XXXX cannot be assembled: TEXT" when a line gave no word; the
    // texts are then left as they were.
    std::string refusal;
    std::size_t words = 0; // words in the hex data
    int lastAddress = -1;  // the highest word address the hex data fills
    bool ok() const { return refusal.empty(); }
};

// Assembles Code line by line up to its end mark and sets Text2 to the
// own-source text and Text1 to the hex text. A line with no mnemonic ends the
// walk as well when it and every line after it holds no program (an address
// alone, nothing, an end mark); anywhere else such a line is refused, as a
// malformed one is, so that no save writes a shortened program.
// Lines without an address are numbered from 0000 for the own-source text;
// in the hex data the words follow one another whatever the lines show.
ExportResult AsmProgram(state::MainForm& form);

} // namespace mirel::assembler
