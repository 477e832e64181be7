#pragma once

#include "parts/model.h"

#include <string>
#include <vector>

namespace mirel::exercise {

// What the program must leave behind, tested once its run is over.
struct Check {
    enum class Kind {
        Register,     // a register's value: `address`, `value`
        RegisterBit,  // one bit of a register: `address`, `bit`, `value` 0 or 1
        W,            // W's value
        WBit,         // one bit of W
        Halted,       // the program waits on a line that jumps to itself
        HaltedAt,     // ... and that line carries `address`
        StackEmpty,   // nothing on the return stack
        NoMessages,   // no message box shown during the run
        Instructions, // at most `value` instructions executed
        Cycles,       // at most `value` instruction cycles
    };
    Kind kind = Kind::Register;
    bool equal = true; // for a register or W: = rather than !=
    int address = 0;
    int bit = 0;
    long long value = 0;
    std::string text;    // the check as the file writes it, after "check:"
    std::string message; // what the learner reads when it fails
    bool hidden = false; // graded by the batch, not shown in the window
    int line = 0;        // its line in the exercise file; 0 for the implied one
};

// From this step on the input boxes are ticked as given (a pressed button).
struct InputChange {
    long long step = 0; // after this many steps
    int a = -1;         // the boxes of port A as a byte; -1 leaves them
    int b = -1;
};

struct Exercise {
    std::string title;
    std::vector<std::string> task; // the text the learner reads, line by line
    parts::Model model = parts::Model::Teaching;
    std::vector<InputChange> inputs; // by step; the one at step 0 ticks the start
    long long steps = 1000;          // the run's step limit
    bool untilHalted = false;        // the run ends where the program waits
    std::vector<Check> checks;       // in the file's order; "no messages" is implied
};

} // namespace mirel::exercise
