#include "register_bus.h"

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

} // namespace mirel::sim::device
