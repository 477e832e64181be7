#include "line_notices.h"

#include "asm/line_assembler.h"
#include "state/hex_text.h"
#include "state/program_text.h"

#include <algorithm>

namespace mirel::debug {

namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// Whether a compact text starts with an address rather than a mnemonic
// (some mnemonics start with four hexadecimal digits' letters).
bool carriesAddress(std::string_view compact) {
    return compact.size() >= 4 && std::all_of(compact.begin(), compact.begin() + 4, isHexDigit) &&
           assembler::AsmCodeRun(compact) == assembler::addressAnswer;
}

// The line without its address, tabs shown as blanks, in UTF-8.
std::string statementForMessage(const std::string& line, bool addressed) {
    std::string_view text = line;
    if (addressed) {
        const auto tab = text.find('\t');
        text = tab != std::string_view::npos ? text.substr(tab + 1) : state::mid(text, 5);
    }
    std::string shown(text);
    std::replace(shown.begin(), shown.end(), '\t', ' ');
    return state::latin1ToUtf8(state::trimBlanks(shown));
}

} // namespace

std::string lineName(const std::string& line, int index) {
    const std::string compact = state::compactText(line);
    return carriesAddress(compact) ? std::string(state::mid(compact, 1, 4)) : state::hex4(index);
}

std::string nothingExecutedNotice(const std::string& line, int index) {
    return "Line " + lineName(line, index) + " holds no instruction.";
}

std::string breakpointNotice(const std::string& line, int index) {
    return "Stopped at the breakpoint on line " + lineName(line, index) + ".";
}

std::optional<std::string> notAnInstructionNotice(const std::string& line, int index) {
    const std::string compact = state::compactText(line);
    const bool addressed = carriesAddress(compact);
    const std::string_view statement = addressed ? state::mid(compact, 5) : compact;
    if (statement.empty())
        return std::nullopt;
    const std::string word = assembler::AsmCodeRun(statement);
    if (assembler::isWordText(word) || word == assembler::endAnswer)
        return std::nullopt;
    return "Line " + lineName(line, index) + ": " + statementForMessage(line, addressed) +
           " is not an instruction.";
}

} // namespace mirel::debug
