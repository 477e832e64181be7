#pragma once

namespace mirel::assembler {

// Filled with the instruction set; the simulator, the line assembler and the
// disassembler all read it.

} // namespace mirel::assembler
