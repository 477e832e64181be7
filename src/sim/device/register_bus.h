#pragma once

#include "banked_registers.h"
#include "state/main_form.h"
#include "state/register_file.h"

namespace mirel::sim::device {

// The part's register file on the lines of Reg: a register read takes its
// line, a write goes to every line that shows the same register, so that
// mirrors and shared registers always read alike. Where the part has no
// register the line reads 00 and keeps nothing.
class RegisterBus : public BankedRegisters<RegisterBus> {
public:
    RegisterBus(state::MainForm& form, const mirel::device::RegisterMap& map)
        : BankedRegisters(map), form_(form) {}

    int read(int address) const {
        const int h = home(address);
        return h < 0 ? 0 : state::readRegister(form_, h) & map().bits[static_cast<std::size_t>(h)];
    }
    // Every copy; bits the register lacks are written as 0.
    void write(int address, int value) {
        const int h = home(address);
        if (h < 0)
            return;
        const auto at = static_cast<std::size_t>(h);
        const int v = value & map().bits[at];
        for (std::uint8_t i = 0; i < map().copyCount[at]; ++i)
            state::writeRegister(form_, map().copies[at][i], v);
    }

private:
    state::MainForm& form_;
};

} // namespace mirel::sim::device
