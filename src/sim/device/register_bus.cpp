#include "register_bus.h"

#include "state/register_file.h"

namespace mirel::sim::device {

RegisterBus::RegisterBus(state::MainForm& form, const mirel::device::RegisterMap& map)
    : form_(form), map_(map) {
    for (int a = 0; a < mirel::device::bankedCount; ++a) {
        const int h = map_.home[static_cast<std::size_t>(a)];
        if (h < 0)
            continue;
        auto& count = copyCount_[static_cast<std::size_t>(h)];
        copies_[static_cast<std::size_t>(h)][count++] = static_cast<std::int16_t>(a);
    }
}

int RegisterBus::read(int address) const {
    const int h = home(address);
    return h < 0 ? 0 : state::readRegister(form_, h) & map_.bits[static_cast<std::size_t>(h)];
}

void RegisterBus::write(int address, int value) {
    const int h = home(address);
    if (h < 0)
        return;
    const auto at = static_cast<std::size_t>(h);
    const int v = value & map_.bits[at];
    for (std::uint8_t i = 0; i < copyCount_[at]; ++i)
        state::writeRegister(form_, copies_[at][i], v);
}

} // namespace mirel::sim::device
