#pragma once

#include "device/register_map.h"
#include "state/main_form.h"
#include "state/register_file.h"

#include <array>
#include <cstdint>

namespace mirel::sim::device {

namespace reg = mirel::device::reg;

// The part's register file on the lines of Reg: a register read takes its
// line, a write goes to every line that shows the same register, so that
// mirrors and shared registers always read alike. Where the part has no
// register the line reads 00 and keeps nothing.
class RegisterBus {
public:
    RegisterBus(state::MainForm& form, const mirel::device::RegisterMap& map);

    const mirel::device::RegisterMap& map() const { return map_; }
    // The register a banked address (0 to 511) leads to; -1 for none.
    int home(int address) const {
        return address >= 0 && address < mirel::device::bankedCount
                   ? map_.home[static_cast<std::size_t>(address)]
                   : -1;
    }
    int read(int address) const {
        const int h = home(address);
        return h < 0 ? 0 : state::readRegister(form_, h) & map_.bits[static_cast<std::size_t>(h)];
    }
    // Every copy; bits the register lacks are written as 0.
    void write(int address, int value) {
        const int h = home(address);
        if (h < 0)
            return;
        const auto at = static_cast<std::size_t>(h);
        const int v = value & map_.bits[at];
        for (std::uint8_t i = 0; i < copyCount_[at]; ++i)
            state::writeRegister(form_, copies_[at][i], v);
    }

    int status() const { return read(reg::STATUS); }
    int option() const { return read(reg::OPTION); }
    int intcon() const { return read(reg::INTCON); }
    // Register f of the bank that RP1:RP0 select.
    int direct(int f) const { return ((status() >> 5) & 3) * 128 + (f & 0x7F); }
    // What FSR points at, IRP selecting the upper two banks.
    int indirect() const { return ((status() & 0x80) << 1) | read(reg::FSR); }

private:
    state::MainForm& form_;
    const mirel::device::RegisterMap& map_;
    // The lines that show each register, by its home address.
    std::array<std::array<std::int16_t, 4>, mirel::device::bankedCount> copies_{};
    std::array<std::uint8_t, mirel::device::bankedCount> copyCount_{};
};

} // namespace mirel::sim::device
