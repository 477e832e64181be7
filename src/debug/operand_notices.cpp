#include "operand_notices.h"

#include "asm/instruction_table.h"
#include "asm/line_assembler.h"
#include "asm/line_text.h"
#include "line_notices.h"
#include "parts/register_map.h"
#include "state/hex_text.h"
#include "state/program_text.h"

#include <algorithm>

namespace mirel::debug {

namespace {

using Kind = assembler::OperandKind;

bool allHex(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
    });
}

std::string lineNotice(const std::string& line, int index, const std::string& what) {
    return "Line " + lineName(line, index) + ": " + what + ".";
}

} // namespace

std::optional<std::string> operandNotice(const std::string& line, int index, parts::Model model) {
    const std::string compact = state::compactText(line);
    const bool addressed = assembler::startsWithAddress(compact) &&
                           assembler::AsmCodeRun(compact) == assembler::addressAnswer;
    const std::string_view statement =
        addressed ? state::mid(compact, 5) : std::string_view(compact);
    if (statement.size() < 4)
        return std::nullopt;
    const std::string_view mnemonic = statement.substr(0, 3);
    std::string_view operand = statement.substr(3);

    // A literal's field holds two digits: a longer one is no instruction at all.
    if (operand.size() > 1 && operand.back() == 'H' && assembler::findForm(mnemonic, Kind::Literal))
        return std::nullopt;
    const bool bitForm = assembler::findForm(mnemonic, Kind::RegisterBit) != nullptr;
    const bool byteForm = assembler::findForm(mnemonic, Kind::Register) ||
                          assembler::findForm(mnemonic, Kind::RegisterDestination);
    if (!bitForm && !byteForm)
        return std::nullopt;
    const auto comma = operand.find(',');
    std::string_view reg = operand.substr(0, comma);
    if (comma == std::string_view::npos && reg.size() > 1 && reg.back() == 'W' &&
        assembler::findForm(mnemonic, Kind::RegisterDestination))
        reg.remove_suffix(1);
    if (!allHex(reg)) {
        const int named = parts::registerNamed(model, reg);
        return lineNotice(line, index,
                          std::string(reg) + " is not a register number: write " +
                              (named >= 0 ? state::hex2(named & 0x7F)
                                          : std::string("the register's address in hexadecimal")));
    }
    if (bitForm && comma != std::string_view::npos) {
        const std::string_view bit = operand.substr(comma + 1);
        if (bit.size() != 1 || bit[0] < '0' || bit[0] > '7')
            return lineNotice(line, index,
                              std::string(mnemonic) + " " + std::string(operand) +
                                  " names no bit: bits are numbered 0 to 7");
    }
    return std::nullopt;
}

} // namespace mirel::debug
