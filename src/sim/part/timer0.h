#pragma once

#include "banked_registers.h"
#include "part_state.h"

namespace mirel::sim::part {

// OPTION bits that drive Timer0.
inline constexpr int optionT0CS = 0x20; // 1: counts the T0CKI pin, which nothing drives
inline constexpr int optionPSA = 0x08;  // 1: the prescaler belongs to the watchdog
inline constexpr int optionPS = 0x07;   // prescaler rate 1:2, 1:4, ... 1:256

// INTCON bits.
inline constexpr int intconGIE = 0x80;
inline constexpr int intconT0IF = 0x04;
inline constexpr int intconINTF = 0x02;
inline constexpr int intconRBIF = 0x01;

// Timer0 on the internal clock: TMR0 counts instruction cycles through the
// prescaler and sets T0IF when it rolls over from FF to 00. `Registers` is
// any storage of the register file (RegisterBus, or bytes).
template <typename Registers>
inline void countCycles(Registers& registers, PartState& state, int cycles) {
    const int option = registers.option();
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
        const int tmr0 = (registers.readHome(reg::TMR0) + 1) & 0xFF;
        registers.writeHome(reg::TMR0, tmr0);
        if (tmr0 == 0)
            registers.writeHome(reg::INTCON, registers.intcon() | intconT0IF);
    }
}

// A write to TMR0: the count holds for the next two cycles, and the
// prescaler, when Timer0 has it, starts again from 0.
void timerWritten(PartState& state);

} // namespace mirel::sim::part
