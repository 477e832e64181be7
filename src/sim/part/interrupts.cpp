#include "interrupts.h"

namespace mirel::sim::part {

int portBLevels(const state::MainForm& form, const RegisterBus& bus) {
    const int tris = bus.readHome(reg::TRISB);
    int levels = bus.readHome(reg::PORTB) & ~tris;
    for (std::size_t i = 0; i < 8; ++i)
        if (((tris >> i) & 1) != 0 && form.InB[i].value() != 0)
            levels |= 1 << i;
    return levels;
}

} // namespace mirel::sim::part
