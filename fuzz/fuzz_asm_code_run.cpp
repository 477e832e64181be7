// Any text through the line assembler: an answer is a word text, one of its
// two reserved texts, or shorter than a word.
#include "asm/line_assembler.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string answer = mirel::assembler::AsmCodeRun(text);
    if (answer.size() > 4)
        std::abort();
    return 0;
}
