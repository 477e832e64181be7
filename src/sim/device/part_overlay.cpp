#include "part_overlay.h"

#include "part_step.h"
#include "sim/ports.h"
#include "sim/return_stack.h"
#include "state/hex_text.h"
#include "state/w_register.h"

namespace mirel::sim::device {

PartOverlay::PartOverlay(const state::MainForm& form, const DeviceMachine& machine)
    : BankedRegisters(machine.map()), form_(form), machine_(machine),
      stateBefore_(machine.foreseenState()), state_(stateBefore_), startPc_(machine.currentPc()),
      selected_(form.Code.selectedIndex()), stack_(form.SPReg.lines()) {
    for (int i = 0; i < state::registerCount && i < form.Reg.count(); ++i)
        before_[static_cast<std::size_t>(i)] = state::readRegister(form, i);
    lines_ = before_;
    wBefore_ = w_ = state::WData(form) & 0xFF;
}

int PartOverlay::step(bool& woke) {
    return partStep(*this, state_, woke);
}

// As RegisterBus: every line that shows the register.
void PartOverlay::store(int home, int value) {
    const auto at = static_cast<std::size_t>(home);
    for (std::uint8_t i = 0; i < map().copyCount[at]; ++i)
        lines_[static_cast<std::size_t>(map().copies[at][i])] = value & 0xFF;
}

// As pushAddress and popAddress: the slots go round, SPReg shows the entries.
void PartOverlay::push(int address) {
    state_.stack[state_.stackPointer] = static_cast<std::uint16_t>(address);
    state_.stackPointer = static_cast<std::uint8_t>((state_.stackPointer + 1) & 7);
    stack_.push_back(state::hex4(address));
    stackChanged_ = true;
    if (static_cast<int>(stack_.size()) - 1 > stackLimit) {
        stack_.erase(stack_.begin() + 1);
        messages_.emplace_back(stackOverflowMessage);
    }
}

int PartOverlay::pop() {
    state_.stackPointer = static_cast<std::uint8_t>((state_.stackPointer + 7) & 7);
    if (stack_.size() > 1) {
        stack_.pop_back();
        stackChanged_ = true;
    } else {
        messages_.emplace_back(stackUnderflowMessage);
    }
    return state_.stack[state_.stackPointer];
}

// The first call follows the instruction; a second one is the interrupt's.
void PartOverlay::showPc(int pc) {
    if (afterInstruction_)
        interruptTaken_ = true;
    else
        afterInstruction_ = AfterInstruction{pc, w_, messages_.size(), lines_};
    state_.pc = static_cast<std::uint16_t>(pc);
    selected_ = machine_.image().lineAt(pc);
    writeHome(reg::PCL, pc & 0xFF);
}

void PartOverlay::refreshIndf() {
    showIndirect(*this);
}

// As PortTail::refreshPorts: the boxes shown follow the directions, ticked
// inputs merge into the ports; then the part's mirrors follow.
void PartOverlay::portTail() {
    const int trisA = lines_[state::TRISA];
    const int trisB = lines_[state::TRISB];
    lines_[state::PORTA] = withInputs(lines_[state::PORTA], trisA, form_.InA);
    lines_[state::PORTB] = withInputs(lines_[state::PORTB], trisB, form_.InB);
    writeHome(reg::PORTA, lines_[state::PORTA]);
    writeHome(reg::PORTB, lines_[state::PORTB]);
}

} // namespace mirel::sim::device
