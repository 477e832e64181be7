#include "interrupts.h"

#include "timer0.h"

namespace mirel::sim::device {

namespace {
constexpr int optionINTEDG = 0x40; // 1: RB0/INT on the rising edge
}

int portBLevels(const state::MainForm& form, const RegisterBus& bus) {
    const int tris = bus.read(reg::TRISB);
    int levels = bus.read(reg::PORTB) & ~tris;
    for (std::size_t i = 0; i < 8; ++i)
        if (((tris >> i) & 1) != 0 && form.InB[i].value() != 0)
            levels |= 1 << i;
    return levels;
}

void watchPortB(RegisterBus& bus, DeviceState& state) {
    const int now = bus.read(reg::PORTB);
    const int before = state.portB;
    state.portB = static_cast<std::uint8_t>(now);
    int flags = 0;
    const bool rising = (bus.option() & optionINTEDG) != 0;
    if ((before & 1) != (now & 1) && ((now & 1) != 0) == rising)
        flags |= intconINTF;
    if (((state.portBLatch ^ now) & bus.read(reg::TRISB) & 0xF0) != 0)
        flags |= intconRBIF;
    if (flags != 0)
        bus.write(reg::INTCON, bus.intcon() | flags);
}

bool interruptRequested(const RegisterBus& bus) {
    const int intcon = bus.intcon();
    // T0IE, INTE and RBIE sit three bits above T0IF, INTF and RBIF.
    return ((intcon >> 3) & intcon & 0x07) != 0;
}

} // namespace mirel::sim::device
