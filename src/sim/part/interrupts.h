#pragma once

#include "part_state.h"
#include "register_bus.h"
#include "timer0.h"

namespace mirel::sim::part {

inline constexpr int optionINTEDG = 0x40; // 1: RB0/INT on the rising edge

// The port B levels the last step left, read from the pins: an input pin
// takes its box, an output pin the value written. Taken after power-on, so
// that boxes ticked beforehand make no edge.
int portBLevels(const state::MainForm& form, const RegisterBus& bus);

// Port B after this step's inputs: an edge of RB0 in the direction INTEDG
// asks for sets INTF, and an input among RB7:RB4 that differs from the
// last read of the port sets RBIF, again after every clear until a read.
//
// A machine that knows nothing the watch reads has changed since it last
// ran (portBSettled) skips it; it hears when the watch ran (portBWatched).
template <typename Registers> inline void watchPortB(Registers& registers, PartState& state) {
    constexpr bool tracked = requires {
        registers.portBSettled(state);
    };
    if constexpr (tracked) {
        if (registers.portBSettled(state))
            return;
    }
    const int now = registers.readHome(reg::PORTB);
    const int before = state.portB;
    state.portB = static_cast<std::uint8_t>(now);
    int flags = 0;
    const bool rising = (registers.option() & optionINTEDG) != 0;
    if ((before & 1) != (now & 1) && ((now & 1) != 0) == rising)
        flags |= intconINTF;
    if (((state.portBLatch ^ now) & registers.readHome(reg::TRISB) & 0xF0) != 0)
        flags |= intconRBIF;
    if (flags != 0)
        registers.writeHome(reg::INTCON, registers.intcon() | flags);
    if constexpr (tracked)
        registers.portBWatched(state);
}

// Whether a source's flag and its enable bit are both set (GIE aside):
// what wakes the part from sleep.
template <typename Registers> inline bool interruptRequested(const Registers& registers) {
    const int intcon = registers.intcon();
    // T0IE, INTE and RBIE sit three bits above T0IF, INTF and RBIF.
    return ((intcon >> 3) & intcon & 0x07) != 0;
}

} // namespace mirel::sim::part
