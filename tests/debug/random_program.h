#pragma once

#include "state/hex_text.h"

#include <iterator>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace mirel::testing {

// A random program over every instruction family, with operands that reach
// INDF, STATUS and its bank bits, FSR, the ports and their directions.
// For a part, also TMR0, PCL, PCLATH and INTCON. Jumps and calls go to
// lines of the program only.
inline std::vector<std::string> randomProgram(std::mt19937& rng, int lines, bool part = false) {
    const char* byteOps[] = {"STA", "CLR", "SUB", "DEC", "ORA", "AND", "XOR", "ADD",
                             "LDA", "CPL", "INC", "DEZ", "RRA", "RLA", "SPA", "INZ"};
    const char* teachingRegs[] = {"00", "03", "04", "05", "06", "20", "21", "22", "23"};
    const char* partRegs[] = {"00", "01", "02", "03", "04", "05", "06", "0A", "0B", "20", "21"};
    const std::span<const char*> regs =
        part ? std::span<const char*>(partRegs) : std::span<const char*>(teachingRegs);
    const char* tails[] = {"", " W", " H"};
    const char* bitOps[] = {"RES", "SET", "JBR", "JBS"};
    const char* plain[] = {"NOP", "WDT", "SLP", "RTS", "RTI", "OPTION"};
    auto pick = [&](auto& items) {
        return std::string(
            items[std::uniform_int_distribution<std::size_t>(0, std::size(items) - 1)(rng)]);
    };
    auto number = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    std::vector<std::string> program;
    for (int i = 0; i < lines; ++i) {
        switch (number(8)) {
        case 0:
            program.push_back(pick(bitOps) + "\t" + pick(regs) + "," + std::to_string(number(8)));
            break;
        case 1:
            program.push_back((number(2) ? "JMP\t" : "JSR\t") + state::hex4(number(lines)));
            break;
        case 2:
            program.push_back(number(2) ? pick(plain) : "RET\t" + state::hex2(number(256)) + " H");
            break;
        case 3:
            // Bank 1 for the direction registers, bank 0 back.
            program.push_back(number(2) ? "SET\t03,5" : "RES\t03,5");
            break;
        default:
            program.push_back(pick(byteOps) + "\t" + pick(regs) + pick(tails));
        }
    }
    return program;
}

} // namespace mirel::testing
