#pragma once

#include "decoded_program.h"
#include "ports.h"
#include "state/main_form.h"
#include "state/platform.h"
#include "step_listener.h"

namespace mirel::sim {

// Executes the program held in a main form, one instruction per Step.
class Simulator {
public:
    Simulator(state::MainForm& form, state::MessageBoxService& messages)
        : form_(form), messages_(messages), program_(form.Code), ports_(form) {}

    // One instruction cycle: mirror INDF, decode the current line, run its
    // rule, advance, then the common tail (ports, INDF write-back).
    void Step_Click();

    // Null for none; the listener must outlive the simulator or be taken off first.
    void setStepListener(StepListener* listener) { listener_ = listener; }

private:
    int runCycle();

    state::MainForm& form_;
    state::MessageBoxService& messages_;
    DecodedProgram program_; // Code's lines decoded, kept in step with Code
    PortTail ports_;
    StepListener* listener_ = nullptr;
};

} // namespace mirel::sim
