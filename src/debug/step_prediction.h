#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mirel::debug {

struct RegisterChange {
    int index = 0; // Reg index
    int value = 0; // 00 to FF
    bool operator==(const RegisterChange&) const = default;
};

// What the next Step will change, worked out without changing anything.
struct StepPrediction {
    bool executes = false; // false: the line has no instruction; only the INDF mirror may change
    std::vector<RegisterChange> registers;         // every register whose value changes, by index
    std::optional<std::string> w;                  // W's new text
    std::optional<bool> zero;                      // Z after the step, when the instruction sets it
    std::optional<bool> carry;                     // C after the step, when the instruction sets it
    int selected = -1;                             // the selected line after the step
    std::optional<std::vector<std::string>> stack; // the stack's lines, when they change
    std::vector<std::string> messages;             // message boxes the step shows
    int cycles = 0;                                // instruction cycles; 0 when nothing executes
};

struct StepExplanation {
    // One line in plain words, e.g. "ADD 20 W: W = 05 + [0020] 03 = 08, Z = 0, C = 0".
    std::string text;
    StepPrediction prediction;
};

} // namespace mirel::debug
