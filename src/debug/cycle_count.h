#pragma once

#include <string>

namespace mirel::debug {

// Instructions executed and the instruction cycles they took.
struct CycleCount {
    long long instructions = 0;
    long long cycles = 0;

    void add(int stepCycles) {
        if (stepCycles > 0) [[likely]]
            ++instructions;
        cycles += stepCycles;
    }
    void remove(int stepCycles) {
        instructions -= stepCycles > 0 ? 1 : 0;
        cycles -= stepCycles;
    }
};

// The status bar's text: the counts and the time they take at a 4 MHz clock,
// where one instruction cycle lasts 1 µs. UTF-8.
std::string statusText(const CycleCount& count);

} // namespace mirel::debug
