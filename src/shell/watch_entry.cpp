#include "watch_entry.h"

#include "register_reference.h"
#include "state/hex_text.h"

#include <cctype>

namespace mirel::shell {

namespace {
using debug::WatchCondition;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// One or two hex digits, an optional "h" after them.
std::optional<int> hexByte(std::string text) {
    if (!text.empty() && (text.back() == 'h' || text.back() == 'H'))
        text.pop_back();
    if (text.empty() || text.size() > 2)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (!std::isxdigit(u))
            return std::nullopt;
        value = value * 16 + (std::isdigit(u) ? c - '0' : std::toupper(u) - 'A' + 10);
    }
    return value;
}
} // namespace

const char* conditionName(WatchCondition condition) {
    switch (condition) {
    case WatchCondition::None:
        return "none";
    case WatchCondition::AnyWrite:
        return "any write";
    case WatchCondition::Change:
        return "on change";
    case WatchCondition::Equals:
        return "equals";
    case WatchCondition::NotEquals:
        return "not equals";
    case WatchCondition::BitSet:
        return "bit set";
    case WatchCondition::BitClear:
        return "bit clear";
    }
    return "";
}

bool conditionNeedsValue(WatchCondition condition, bool wholeRegister) {
    switch (condition) {
    case WatchCondition::Equals:
    case WatchCondition::NotEquals:
        return true;
    case WatchCondition::BitSet:
    case WatchCondition::BitClear:
        return wholeRegister;
    default:
        return false;
    }
}

std::optional<debug::Watch> readWatch(const std::string& reg, WatchCondition condition,
                                      const std::string& value, parts::Model model,
                                      int registerLines, std::string& error) {
    const auto found = readRegisterReference(reg, model, registerLines, true, error);
    if (!found)
        return std::nullopt;
    debug::Watch watch;
    watch.reg = found->reg;
    watch.bit = found->bit;
    watch.name = found->name;
    watch.condition = condition;
    const bool whole = found->bit < 0;
    if (!conditionNeedsValue(condition, whole))
        return watch;
    const std::string text = trimmed(value);
    const bool bitNumber =
        condition == WatchCondition::BitSet || condition == WatchCondition::BitClear;
    if (bitNumber) {
        if (text.size() != 1 || text[0] < '0' || text[0] > '7') {
            error = std::string("\"") + conditionName(condition) + "\" on all of " + watch.name +
                    " needs the bit's number, 0 to 7 (or watch one bit, as " + watch.name + ".3).";
            return std::nullopt;
        }
        watch.value = text[0] - '0';
        return watch;
    }
    const auto byte = hexByte(text);
    const int highest = whole ? 0xFF : 1;
    if (!byte || *byte > highest) {
        error = std::string("\"") + conditionName(condition) + "\" needs a value to compare " +
                watch.name + " with: " + (whole ? "00 to FF in hex." : "0 or 1 for a bit.");
        return std::nullopt;
    }
    watch.value = *byte;
    return watch;
}

std::string watchValueText(const debug::Watch& watch, int value) {
    return watch.bit >= 0 ? std::to_string(value & 1) : state::hex2(value & 0xFF);
}

std::string watchConditionText(const debug::Watch& watch) {
    std::string text = conditionName(watch.condition);
    if (!conditionNeedsValue(watch.condition, watch.bit < 0))
        return text;
    const bool bitNumber =
        watch.condition == WatchCondition::BitSet || watch.condition == WatchCondition::BitClear;
    return text + " " +
           (bitNumber ? std::to_string(watch.value) : watchValueText(watch, watch.value));
}

} // namespace mirel::shell
