#pragma once

#include "address_index.h"
#include "state/main_form.h"
#include "state/platform.h"
#include "step_listener.h"

namespace mirel::sim {

// Executes the program held in a main form, one instruction per Step.
class Simulator {
public:
    Simulator(state::MainForm& form, state::MessageBoxService& messages)
        : form_(form), messages_(messages), addresses_(form.Code) {}

    // One instruction cycle: mirror INDF, decode the current line, run its
    // rule, advance, then the common tail (ports, INDF write-back).
    void Step_Click();

    // Null for none; the listener must outlive the simulator or be taken off first.
    void setStepListener(StepListener* listener) { listener_ = listener; }

private:
    int runCycle();

    state::MainForm& form_;
    state::MessageBoxService& messages_;
    AddressIndex addresses_; // jump targets by address, kept in step with Code
    StepListener* listener_ = nullptr;
};

} // namespace mirel::sim
