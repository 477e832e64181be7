#include "timer0.h"

namespace mirel::sim::device {

void countCycles(RegisterBus& bus, DeviceState& state, int cycles) {
    const int option = bus.option();
    if ((option & optionT0CS) != 0)
        return; // no clock on the pin: nothing counts
    const bool prescaled = (option & optionPSA) == 0;
    const int rate = 2 << (option & optionPS);
    for (int c = 0; c < cycles; ++c) {
        if (state.timerHold > 0) {
            --state.timerHold;
            continue;
        }
        if (prescaled && ++state.prescaler < rate)
            continue;
        state.prescaler = 0;
        const int tmr0 = (bus.read(reg::TMR0) + 1) & 0xFF;
        bus.write(reg::TMR0, tmr0);
        if (tmr0 == 0)
            bus.write(reg::INTCON, bus.intcon() | intconT0IF);
    }
}

void timerWritten(DeviceState& state) {
    state.timerHold = 2;
    state.prescaler = 0;
}

} // namespace mirel::sim::device
