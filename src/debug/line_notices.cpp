#include "line_notices.h"

#include "asm/line_assembler.h"
#include "asm/line_text.h"
#include "state/hex_text.h"
#include "state/program_text.h"

#include <algorithm>

namespace mirel::debug {

namespace {

// Whether a compact text starts with an address rather than a mnemonic
// (some mnemonics start with four hexadecimal digits' letters).
bool carriesAddress(std::string_view compact) {
    return assembler::startsWithAddress(compact) &&
           assembler::AsmCodeRun(compact) == assembler::addressAnswer;
}

} // namespace

// The statement as the cycle reads it from the compact text (mnemonic from
// character 5), written as the program list writes instructions: "ADD 20 W".
std::string statementText(std::string_view compact) {
    const std::string_view rest = state::mid(compact, 5);
    for (std::string_view word : {"OPTION", "TRIS"})
        if (rest.starts_with(word))
            return std::string(word) +
                   (rest.size() > word.size() ? " " + std::string(rest.substr(word.size())) : "");
    const std::string mnemonic(rest.substr(0, 3));
    std::string operand(state::mid(rest, 4));
    if (operand.size() == 3 && (operand[2] == 'W' || operand[2] == 'H'))
        operand.insert(2, " ");
    return operand.empty() ? mnemonic : mnemonic + " " + operand;
}

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
    return "Line " + lineName(line, index) + ": " +
           assembler::instructionForMessage(line, addressed) + " is not an instruction.";
}

std::string erasedWordNotice(int address) {
    return "No program line at address " + state::hex4(address) +
           ": the erased word 3FFF (ADD FF H) runs there.";
}

} // namespace mirel::debug
