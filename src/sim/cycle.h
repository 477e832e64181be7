#pragma once

#include "instruction.h"
#include "state/main_form.h"
#include "state/platform.h"

#include <string>

namespace mirel::sim {

class DecodedProgram;

// The working values of one instruction cycle; nothing here outlives it.
struct Cycle {
    state::MainForm& form;
    state::MessageBoxService& messages;
    DecodedProgram& program;
    const Instruction instruction; // the current line, decoded
    int current = 0;               // Code index of the instruction; a skip adds 1
    int indirectTarget = 0;        // the register the INDF mirror was loaded from
    bool indfWritten = false;
};

// Register and W stores of an instruction. A store to register 00 is noted so
// that the tail writes the mirror back to the indirect target.
void storeRegister(Cycle& cycle, int index, int value);
void storeRegisterLine(Cycle& cycle, int index, std::string line);
void storeW(Cycle& cycle, int value);

} // namespace mirel::sim
