#include "device_machine.h"

#include "device_stack.h"
#include "execute.h"
#include "interrupts.h"
#include "state/register_file.h"
#include "timer0.h"

namespace mirel::sim::device {

namespace {
constexpr int interruptVector = 0x0004;
// Taking an interrupt is a call to the vector that the part makes itself:
// two cycles in which Timer0 counts on.
constexpr int interruptEntryCycles = 2;
} // namespace

DeviceMachine::DeviceMachine(state::MainForm& form, state::MessageBoxService& messages,
                             PortTail& ports, mirel::device::Model model)
    : form_(form), messages_(messages), ports_(ports), model_(model),
      bus_(form, *mirel::device::registerMap(model)),
      image_(form.Code, mirel::device::registerMap(model)->programWords) {
    form_.Reg.addObserver(this);
}

DeviceMachine::~DeviceMachine() {
    form_.Reg.removeObserver(this);
}

void DeviceMachine::powerOn() {
    state_ = DeviceState{};
    state_.portB = static_cast<std::uint8_t>(portBLevels(form_, bus_));
    state_.portBLatch = state_.portB;
    powerOnPending_ = false;
}

// A selected line that carries an address is where the program goes on, so
// that a click on a line moves the program counter there.
int DeviceMachine::currentPc() const {
    const int address = image_.addressOf(form_.Code.selectedIndex());
    return address >= 0 ? address : state_.pc;
}

std::optional<int> DeviceMachine::pcWithoutLine() const {
    if (form_.Code.selectedIndex() >= 0)
        return std::nullopt;
    return state_.pc;
}

// The line of the next instruction is selected, or none when no line carries
// it; PCL shows the low byte.
void DeviceMachine::showPc(int pc) {
    state_.pc = static_cast<std::uint16_t>(pc);
    const int line = image_.lineAt(pc);
    if (line >= 0)
        form_.Code.select(line);
    else
        form_.Code.clearSelection();
    bus_.write(reg::PCL, pc & 0xFF);
}

// The ports as in the teaching model, then the part's own: port bits it
// lacks read 0 and the mirrors of the ports follow.
void DeviceMachine::portTail() {
    ports_.refreshPorts();
    bus_.write(reg::PORTA, state::readRegister(form_, reg::PORTA));
    bus_.write(reg::PORTB, state::readRegister(form_, reg::PORTB));
}

int DeviceMachine::step() {
    if (powerOnPending_)
        powerOn();
    woke_ = false;
    if (state_.sleeping) {
        // Asleep the clock stands; only the pins can wake the part. The
        // instruction after SLP runs at the next step, an interrupt after it.
        portTail();
        watchPortB(bus_, state_);
        if (interruptRequested(bus_)) {
            state_.sleeping = false;
            woke_ = true;
        }
        return 0;
    }
    const int cycles = run();
    // INDF shows the register FSR points at.
    const int target = bus_.indirect();
    bus_.write(reg::INDF, bus_.home(target) == reg::INDF ? 0 : bus_.read(target));
    return cycles;
}

int DeviceMachine::run() {
    const int pc = currentPc();
    Execution run{bus_, form_, messages_, state_, (pc + 1) & 0x1FFF};
    execute(run, image_.word(pc));
    showPc(run.pc);
    portTail();
    if (run.timerWritten)
        timerWritten(state_);
    else
        countCycles(bus_, state_, run.cycles);
    watchPortB(bus_, state_);
    if (!state_.sleeping && (bus_.intcon() & intconGIE) != 0 && interruptRequested(bus_)) {
        pushAddress(form_, messages_, state_, run.pc);
        bus_.write(reg::INTCON, bus_.intcon() & ~intconGIE);
        showPc(interruptVector);
        countCycles(bus_, state_, interruptEntryCycles);
        return run.cycles + interruptEntryCycles;
    }
    return run.cycles;
}

} // namespace mirel::sim::device
