// Any text through the disassembler; a text it names as an instruction must
// assemble back to a word.
#include "asm/disassembler.h"
#include "asm/line_assembler.h"
#include "state/program_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view word(reinterpret_cast<const char*>(data), size);
    const std::string text = mirel::assembler::GetOpcodeName(word);
    const bool wellFormed = size == 4 && mirel::assembler::isWordText(word) && word[0] <= '3';
    if (wellFormed && !text.empty() && text != "None" &&
        !mirel::assembler::isWordText(
            mirel::assembler::AsmCodeRun(mirel::state::compactText(text))))
        std::abort();
    return 0;
}
