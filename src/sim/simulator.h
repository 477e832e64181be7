#pragma once

#include "part/part_machine.h"
#include "part/part_value_core.h"
#include "ports.h"
#include "state/main_form.h"
#include "state/platform.h"
#include "step_listener.h"
#include "teaching/decoded_program.h"
#include "teaching/value_core.h"

#include <memory>
#include <optional>
#include <string>

namespace mirel::sim {

// Executes the program held in a main form, one instruction per Step.
class Simulator {
public:
    Simulator(state::MainForm& form, state::MessageBoxService& messages)
        : form_(form), messages_(messages), program_(form.Code), ports_(form), values_(program_) {}

    // One instruction cycle: mirror INDF, decode the current line, run its
    // rule, advance, then the common tail (ports, INDF write-back). Nothing
    // without a program.
    void Step_Click();
    bool hasProgram() const { return !form_.Code.empty(); }

    // Up to `count` steps for a run whose views are hidden or absent; answers
    // how many ran, at least one. Runs of ordinary lines go on values alone
    // and the models catch up once at the end; a step only the text rules can
    // take is taken alone by Step_Click, and the run returns after it, as it
    // may have shown a message. Also returns after a step that made a
    // listener's stop line next. Under a part's rules a step that would show
    // a stack message is Step_Click's.
    long long run(long long count);

    // Line `index` as the teaching model's cycle reads it: decoded, and
    // resolved with a jump's line found as a Step finds it.
    const Instruction& instructionAt(int index) { return program_.at(index); }
    ValueLine resolvedLine(int index) { return program_.line(index); }

    // The lamps and boxes as the last step set them.
    const PortTail& ports() const { return ports_; }

    // Null for none; the listener must outlive the simulator or be taken off first.
    void setStepListener(StepListener* listener) { listener_ = listener; }

    // While muted the steps show no message: a take-back replays steps the
    // user has seen already.
    void muteMessages(bool on) { messages_.muted = on; }

    // The part's machine when the machine follows a part's rules, else null.
    part::PartMachine* deviceMachine() {
        return form_.model == mirel::parts::Model::Teaching ? nullptr : partMachine();
    }
    // Whether the part sleeps, or the last step woke it: such steps execute nothing.
    bool sleeping() {
        const auto* part = deviceMachine();
        return part && (part->sleeping() || part->woke());
    }

private:
    friend class StepListener; // takes a Step by its cycle
    int runCycle();
    long long runPart(long long count);
    part::PartMachine* partMachine();

    // Passes messages on unless muted; a muted one is answered OK.
    struct Messages final : state::MessageBoxService {
        explicit Messages(state::MessageBoxService& to) : to(to) {}
        void show(const std::string& text, const std::string& title,
                  state::MessageIcon icon) override {
            if (!muted)
                to.show(text, title, icon);
        }
        state::MessageAnswer showWithStop(const std::string& text, const std::string& title,
                                          state::MessageIcon icon) override {
            return muted ? state::MessageAnswer::Ok : to.showWithStop(text, title, icon);
        }
        state::MessageBoxService& to;
        bool muted = false;
    };

    state::MainForm& form_;
    Messages messages_;
    DecodedProgram program_; // Code's lines decoded, kept in step with Code
    PortTail ports_;
    StepListener* listener_ = nullptr;
    std::unique_ptr<part::PartMachine> device_; // made when a part's rules first run
    ValueCore values_;
    part::PartValueCore partValues_;
};

inline int StepListener::cycle(Simulator& simulator) {
    return simulator.runCycle();
}

} // namespace mirel::sim
