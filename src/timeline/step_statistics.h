#pragma once

#include "step_trace.h"

#include <functional>
#include <string>
#include <vector>

namespace mirel::timeline {

// How often one mnemonic ran over a stretch of steps, and the cycles it took.
struct MnemonicCount {
    std::string mnemonic;
    long long runs = 0;
    long long cycles = 0;
};

struct StepStatistics {
    long long steps = 0;        // steps taken, with those that executed nothing
    long long instructions = 0; // steps that executed an instruction
    long long cycles = 0;
    std::vector<MnemonicCount> mnemonics; // most cycles first, then by name
    // Cycles per instruction: 1 for straight-line code, up to 2 with jumps.
    double cpi() const { return instructions == 0 ? 0.0 : double(cycles) / double(instructions); }
};

// The mnemonic of a program line's text ("LDA" of "0003\tLDA 05H"), upper-case;
// "" for a line without one.
std::string mnemonicOfLine(const std::string& line);

// Counts the steps of `trace`: the step from position p to p + 1 executed
// the line trace.nextLine(p) and took the cycles between the two rows.
// Cycles an interrupt's entry adds count with the instruction it followed.
StepStatistics countSteps(const StepTrace& trace,
                          const std::function<std::string(int line)>& mnemonicOf);

} // namespace mirel::timeline
