#include "register_notes.h"

#include "register_map.h"

#include <cstdio>

namespace mirel::device {

std::string registerNote(Model model, int index) {
    const RegisterMap* map = registerMap(model);
    if (!map)
        return {};
    std::string note(modelName(model));
    note += ": ";
    if (index < 0 || index >= bankedCount)
        return note + "beyond the banks, not used";
    const auto at = static_cast<std::size_t>(index);
    const int home = map->home[at];
    if (home < 0)
        return note + "no register, reads 00";
    note += map->name[at].empty() ? std::string("general purpose") : std::string(map->name[at]);
    if (home != index) {
        char address[8];
        std::snprintf(address, sizeof address, "%04X", home);
        note += std::string(", as at ") + address;
    }
    return note;
}

} // namespace mirel::device
