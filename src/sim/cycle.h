#pragma once

#include "state/main_form.h"
#include "state/platform.h"

#include <string>

namespace mirel::sim {

class AddressIndex;

// How an instruction hands the program counter back to the cycle.
enum class Next {
    Advance,        // the cycle advances from Cycle::current (a skip has added 1)
    TargetSelected, // a jump, call or return selected its line itself
};

// The working values of one instruction cycle; nothing here outlives it.
struct Cycle {
    state::MainForm& form;
    state::MessageBoxService& messages;
    std::string text;       // compact instruction text: address 1-4, mnemonic 5-7, operand 8-
    int current = 0;        // Code index of the instruction; a skip adds 1
    int indirectTarget = 0; // the register the INDF mirror was loaded from
    bool indfWritten = false;
    // Where jumps and calls look up their target line; without one they walk Code.
    const AddressIndex* addresses = nullptr;
};

// Register and W stores of an instruction. A store to register 00 is noted so
// that the tail writes the mirror back to the indirect target.
void storeRegister(Cycle& cycle, int index, int value);
void storeRegisterLine(Cycle& cycle, int index, std::string line);
void storeW(Cycle& cycle, int value);

} // namespace mirel::sim
