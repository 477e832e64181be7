#pragma once

#include "device_state.h"
#include "register_bus.h"

namespace mirel::sim::device {

// The port B levels the last step left, read from the pins: an input pin
// takes its box, an output pin the value written. Taken after power-on, so
// that boxes ticked beforehand make no edge.
int portBLevels(const state::MainForm& form, const RegisterBus& bus);

// Port B after this step's inputs: an edge of RB0 in the direction INTEDG
// asks for sets INTF, and an input among RB7:RB4 that differs from the
// last read of the port sets RBIF, again after every clear until a read.
void watchPortB(RegisterBus& bus, DeviceState& state);

// Whether a source's flag and its enable bit are both set (GIE aside):
// what wakes the part from sleep.
bool interruptRequested(const RegisterBus& bus);

} // namespace mirel::sim::device
