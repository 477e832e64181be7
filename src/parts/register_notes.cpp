#include "register_notes.h"

#include "register_map.h"

#include <cstdio>
#include <string_view>

namespace mirel::parts {

namespace {
// What a part does with its core registers that the teaching model does not.
std::string_view behaviour(int home) {
    switch (home) {
    case reg::INDF:
        return " (shows the register FSR points at, IRP selecting banks 2 and 3)";
    case reg::TMR0:
        return " (Timer0: counts instruction cycles through the prescaler, T0IF at FF to 00)";
    case reg::PCL:
        return " (the program counter's low byte; a write jumps to PCLATH:value)";
    case reg::STATUS:
        return " (one register; Z, DC and C as the data sheet gives them, TO and PD read only)";
    case reg::PCLATH:
        return " (upper bits for writes to PCL, bits 4 and 3 the page of JMP and JSR)";
    case reg::INTCON:
        return " (GIE, T0IE, INTE, RBIE and their flags T0IF, INTF, RBIF)";
    case reg::OPTION:
        return " (INTEDG, T0CS, PSA and the prescaler rate; the OPTION instruction writes it)";
    default:
        return "";
    }
}
} // namespace

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
    note += behaviour(home);
    if (home != index) {
        char address[8];
        std::snprintf(address, sizeof address, "%04X", home);
        note += std::string(", as at ") + address;
    }
    return note;
}

} // namespace mirel::parts
