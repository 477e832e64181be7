#pragma once

#include "device_state.h"
#include "register_bus.h"
#include "state/platform.h"

namespace mirel::sim::device {

// STATUS bits.
inline constexpr int statusC = 0x01;
inline constexpr int statusDC = 0x02;
inline constexpr int statusZ = 0x04;
inline constexpr int statusPD = 0x08;
inline constexpr int statusTO = 0x10;

// One instruction of the part, and what it leaves for the rest of the step.
struct Execution {
    RegisterBus& bus;
    state::MainForm& form;
    state::MessageBoxService& messages;
    DeviceState& state;
    int pc = 0;     // the next address: the fetch has already counted past the instruction
    int cycles = 1; // two for jumps, calls, returns, skips taken and writes to PCL
    bool timerWritten = false;
};

// Executes an instruction word as the data sheet gives it: its result, the
// flags Z, DC and C, and the next address.
void execute(Execution& run, int word);

} // namespace mirel::sim::device
