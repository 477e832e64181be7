#pragma once

#include "banked_registers.h"
#include "state/main_form.h"
#include "state/register_file.h"

namespace mirel::sim::part {

// The part's register file on the lines of Reg: a register read takes its
// line, a write goes to every line that shows the same register, so that
// mirrors and shared registers always read alike. Where the part has no
// register the line reads 00 and keeps nothing.
class RegisterBus : public BankedRegisters<RegisterBus> {
public:
    RegisterBus(state::MainForm& form, const mirel::parts::RegisterMap& map)
        : BankedRegisters(map), form_(form) {}

    int value(int home) const { return state::readRegister(form_, home); }
    void store(int home, int value) {
        const auto at = static_cast<std::size_t>(home);
        for (std::uint8_t i = 0; i < map().copyCount[at]; ++i)
            state::writeRegister(form_, map().copies[at][i], value);
    }

private:
    state::MainForm& form_;
};

} // namespace mirel::sim::part
