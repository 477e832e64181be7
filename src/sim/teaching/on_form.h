#pragma once

#include "sim/ports.h"
#include "sim/teaching/return_stack.h"
#include "sim/teaching/value_line.h"
#include "state/main_form.h"
#include "state/platform.h"
#include "state/program_counter.h"
#include "state/register_file.h"
#include "state/w_register.h"

#include <optional>
#include <string>

namespace mirel::sim::teaching {

// What STA stores into register `index`: W's value where W and the line are
// as the simulator writes them; else (empty) the line W's text makes.
std::optional<int> storedW(const state::MainForm& form, int index);
std::string lineOfWText(const state::MainForm& form, int index);

// The machine of execute.h on the form's models, for a Step: registers on
// Reg's lines, W in its box, the stack in SPReg, the program counter as
// Code's selection, messages in boxes.
class OnForm {
public:
    static constexpr bool tells = false;
    static constexpr bool onlyInstructions = false;

    OnForm(state::MainForm& form, state::MessageBoxService& messages, PortTail& ports)
        : form_(form), messages_(messages), ports_(ports) {}

    int indirectTarget() const { return state::indirectTarget(form_); }
    int registerIndex(const ValueLine& l) const {
        return state::bankedIndex(form_, l.operand, l.shared);
    }
    int read(int index) const { return state::readRegister(form_, index); }
    void write(int index, int value) { state::writeRegister(form_, index, value); }
    void writeOperand(int index, int value) { write(index, value); }
    int w() const { return state::WData(form_); }
    void setW(int value) { state::setW(form_, value); }
    bool validRegister(int index) const { return form_.Reg.validIndex(index); }
    void storeW(int index);
    // Selecting the line again fills the entry line from it.
    void instructionStarting() {
        if (form_.Code.selectedIndex() >= 0)
            state::Code_Click(form_);
    }
    void push(int callingLine) { pushReturn(form_, messages_, callingLine); }
    int pop() { return popReturn(form_, messages_); }
    int lineCount() const { return form_.Code.count(); }
    void select(int line) { form_.Code.select(line); }
    void warn(const std::string& text) {
        messages_.show(text, state::applicationTitle, state::MessageIcon::Exclamation);
    }
    void portTail() { ports_.refreshPorts(); }

private:
    state::MainForm& form_;
    state::MessageBoxService& messages_;
    PortTail& ports_;
};

} // namespace mirel::sim::teaching
