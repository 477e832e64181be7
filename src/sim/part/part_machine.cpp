#include "part_machine.h"

#include "part_stack.h"
#include "part_step.h"
#include "state/register_file.h"
#include "state/w_register.h"

namespace mirel::sim::part {

namespace {

// The machine on the form's models for part_step.h: registers on Reg's
// lines, W in its box, the stack in SPReg, the program counter as Code's
// selection.
class OnForm : public RegisterBus {
public:
    OnForm(state::MainForm& form, state::MessageBoxService& messages, PortTail& ports,
           const ProgramImage& image, PartState& state, const mirel::parts::RegisterMap& map,
           int startPc)
        : RegisterBus(form, map), form_(form), messages_(messages), ports_(ports), image_(image),
          state_(state), startPc_(startPc) {}

    int w() const { return state::WData(form_) & 0xFF; }
    void setW(int value) { state::setW(form_, value); }
    void push(int address) { pushAddress(form_, messages_, state_, address); }
    int pop() { return popAddress(form_, messages_, state_); }
    int word(int pc) const { return image_.word(pc); }

    int currentPc() const { return startPc_; }

    // The line of the next instruction is selected, or none when no line
    // carries it; PCL shows the low byte.
    void showPc(int pc) {
        state_.pc = static_cast<std::uint16_t>(pc);
        const int line = image_.lineAt(pc);
        if (line >= 0)
            form_.Code.select(line);
        else
            form_.Code.clearSelection();
        writeHome(reg::PCL, pc & 0xFF);
    }

    void refreshIndf() { showIndirect(*this); }

    // The ports as in the teaching model, then the part's own: port bits it
    // lacks read 0 and the mirrors of the ports follow.
    void portTail() {
        ports_.refreshPorts();
        writeHome(reg::PORTA, state::readRegister(form_, reg::PORTA));
        writeHome(reg::PORTB, state::readRegister(form_, reg::PORTB));
    }

private:
    state::MainForm& form_;
    state::MessageBoxService& messages_;
    PortTail& ports_;
    const ProgramImage& image_;
    PartState& state_;
    int startPc_;
};

} // namespace

PartMachine::PartMachine(state::MainForm& form, state::MessageBoxService& messages, PortTail& ports,
                         mirel::parts::Model model)
    : form_(form), messages_(messages), ports_(ports), model_(model),
      bus_(form, *mirel::parts::registerMap(model)),
      image_(form.Code, mirel::parts::registerMap(model)->programWords) {
    form_.Reg.addObserver(this);
}

PartMachine::~PartMachine() {
    form_.Reg.removeObserver(this);
}

void PartMachine::powerOn() {
    state_ = foreseenState();
    powerOnPending_ = false;
}

PartState PartMachine::foreseenState() const {
    if (!powerOnPending_)
        return state_;
    PartState fresh;
    fresh.portB = static_cast<std::uint8_t>(portBLevels(form_, bus_));
    fresh.portBLatch = fresh.portB;
    return fresh;
}

// A selected line that carries an address is where the program goes on, so
// that a click on a line moves the program counter there.
int PartMachine::currentPc() const {
    const int address = image_.addressOf(form_.Code.selectedIndex());
    return address >= 0 ? address : state_.pc;
}

std::optional<int> PartMachine::pcWithoutLine() const {
    if (form_.Code.selectedIndex() >= 0)
        return std::nullopt;
    return state_.pc;
}

int PartMachine::step() {
    if (powerOnPending_)
        powerOn();
    OnForm machine(form_, messages_, ports_, image_, state_, bus_.map(), currentPc());
    return partStep(machine, state_, woke_);
}

} // namespace mirel::sim::part
