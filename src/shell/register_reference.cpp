#include "register_reference.h"

#include "exercise/check_reader.h"
#include "parts/register_map.h"
#include "state/hex_text.h"
#include "state/program_text.h"

#include <algorithm>
#include <cctype>

namespace mirel::shell {

namespace {

std::string trimmed(const std::string& text) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

// "20", "85", "1A0": as few digits as the address needs, at least two.
std::string addressName(int reg) {
    return reg > 0xFF ? state::hex4(reg).substr(1) : state::hex2(reg);
}

} // namespace

std::string registerLineName(parts::Model model, int reg) {
    if (reg < 0)
        return "W";
    const parts::RegisterMap* map =
        parts::registerMap(model == parts::Model::Teaching ? parts::Model::F84A : model);
    if (map && reg < parts::bankedCount && !map->name[static_cast<std::size_t>(reg)].empty())
        return std::string(map->name[static_cast<std::size_t>(reg)]);
    return addressName(reg);
}

std::optional<RegisterReference> readRegisterReference(const std::string& text, parts::Model model,
                                                       int registerLines, bool bits,
                                                       std::string& error) {
    std::string whole = trimmed(text);
    if (whole.empty()) {
        error = "Type a register: an address in hex (20, 0C, 85) or a name (TMR0, PORTB, W).";
        return std::nullopt;
    }
    RegisterReference found;
    if (const auto dot = whole.find('.'); dot != std::string::npos) {
        const std::string bit = trimmed(whole.substr(dot + 1));
        if (!bits) {
            error = "\"" + whole + "\" names a bit; a whole register is needed here.";
            return std::nullopt;
        }
        if (bit.size() != 1 || bit[0] < '0' || bit[0] > '7') {
            error = "\"" + bit + "\" is no bit: a bit is 0 to 7, as in PORTB.3.";
            return std::nullopt;
        }
        found.bit = bit[0] - '0';
        whole = trimmed(whole.substr(0, dot));
    }
    const std::string name = state::upperCase(whole);
    if (name == "W") {
        found.reg = -1;
    } else if (const int named = parts::registerNamed(model, name); named >= 0) {
        found.reg = named;
    } else if (const auto address = exercise::hexValue(name, 3)) {
        if (*address >= registerLines) {
            error = "There is no register " + name + ": the last one is " +
                    addressName(registerLines - 1) + ".";
            return std::nullopt;
        }
        found.reg = *address;
    } else {
        error = "\"" + whole + "\" is no register under the " +
                std::string(parts::modelName(model)) +
                ": type an address in hex (20, 0C, 85) or a name (TMR0, PORTB, W).";
        return std::nullopt;
    }
    found.name = registerLineName(model, found.reg);
    if (found.bit >= 0)
        found.name += "." + std::to_string(found.bit);
    return found;
}

} // namespace mirel::shell
