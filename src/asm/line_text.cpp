#include "line_text.h"

#include "state/program_text.h"

#include <algorithm>

namespace mirel::assembler {

namespace {
bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}
} // namespace

bool startsWithAddress(std::string_view compact) {
    return compact.size() >= 4 && std::all_of(compact.begin(), compact.begin() + 4, isHexDigit);
}

std::string instructionForMessage(const std::string& line, bool hasAddress) {
    std::string_view text = line;
    if (hasAddress) {
        const auto tab = text.find('\t');
        text = tab != std::string_view::npos ? text.substr(tab + 1) : state::mid(text, 5);
    }
    std::string shown(text);
    std::replace(shown.begin(), shown.end(), '\t', ' ');
    return state::latin1ToUtf8(state::trimBlanks(shown));
}

} // namespace mirel::assembler
