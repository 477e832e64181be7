#pragma once

#include "device_state.h"
#include "register_bus.h"

namespace mirel::sim::device {

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
// prescaler and sets T0IF when it rolls over from FF to 00.
void countCycles(RegisterBus& bus, DeviceState& state, int cycles);

// A write to TMR0: the count holds for the next two cycles, and the
// prescaler, when Timer0 has it, starts again from 0.
void timerWritten(DeviceState& state);

} // namespace mirel::sim::device
