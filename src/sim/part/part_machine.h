#pragma once

#include "part_state.h"
#include "program_image.h"
#include "register_bus.h"
#include "sim/ports.h"
#include "state/platform.h"

#include <optional>

namespace mirel::sim::part {

// The machine under a part's rules. The program counter is an address: the
// next instruction is the line that carries it, and where none does the
// erased word runs. Timer0 counts, interrupts are taken, SLP sleeps.
// New, Open and Reset fill Reg anew, which is the power-on of the part.
class PartMachine final : private state::TextListObserver {
public:
    PartMachine(state::MainForm& form, state::MessageBoxService& messages, PortTail& ports,
                mirel::parts::Model model);
    ~PartMachine() override;
    PartMachine(const PartMachine&) = delete;
    PartMachine& operator=(const PartMachine&) = delete;

    mirel::parts::Model model() const { return model_; }

    // One step: the instruction's cycles, or 0 while the part sleeps on.
    int step();

    bool sleeping() const { return state_.sleeping; }
    // Whether the last step woke the part, which then executed nothing.
    bool woke() const { return woke_; }
    // The program counter when no line carries it, so none is selected.
    std::optional<int> pcWithoutLine() const;

    // The state no register line shows, to take a step back.
    const PartState& hiddenState() {
        if (powerOnPending_)
            powerOn();
        return state_;
    }
    void restoreHiddenState(const PartState& state) { state_ = state; }
    // The hidden state the next step starts from, power-on included, without making it.
    PartState foreseenState() const;

    // What a run on values needs of the part, and takes back from it.
    const mirel::parts::RegisterMap& map() const { return bus_.map(); }
    const ProgramImage& image() const { return image_; }
    // The address the next step executes.
    int currentPc() const;
    // The hidden state a run on values ended with, and whether its last step woke the part.
    void ranOnValues(const PartState& state, bool woke) {
        state_ = state;
        woke_ = woke;
    }

private:
    void linesReset() override { powerOnPending_ = true; }
    void powerOn();

    state::MainForm& form_;
    state::MessageBoxService& messages_;
    PortTail& ports_;
    mirel::parts::Model model_;
    RegisterBus bus_;
    ProgramImage image_;
    PartState state_;
    bool powerOnPending_ = true;
    bool woke_ = false;
};

} // namespace mirel::sim::part
