#include "line_assembler.h"

#include "instruction_table.h"
#include "state/hex_text.h"
#include "state/program_text.h"

namespace mirel::assembler {

namespace {

using K = OperandKind;
using state::hex2;
using state::hex4;
using state::mid;

std::string wordText(const InstructionForm& form, int operand = 0, int selector = 0) {
    return hex4(assemble(form, operand, selector).value_or(0));
}

std::string highPair(const InstructionForm& form) {
    return hex2(form.assembled.value_or(0) >> 8);
}

// Characters 4 and 5 as they stand: a malformed operand shows in the answer.
std::string rawPair(std::string_view text) {
    return std::string(mid(text, 4, 2));
}

// Characters 4 and 5 read as a register number with bit 7 set: d = 1, or
// the fixed bit 7 of STA and CLR f.
std::string registerPair(std::string_view text) {
    return hex2(state::readHex(mid(text, 4, 2)) | 0x80);
}

// OPTION and TRIS p are longer than three letters; TRIS takes a port 5 to 7.
std::optional<std::string> longMnemonic(std::string_view text) {
    for (const InstructionForm& form : instructionSet()) {
        if (form.mnemonic.size() <= 3 || !text.starts_with(form.mnemonic))
            continue;
        if (form.operand != K::Port)
            return wordText(form);
        const std::string_view port = mid(text, form.mnemonic.size() + 1, 1);
        const int p = port.empty() || port[0] < '0' || port[0] > '9' ? -1 : port[0] - '0';
        const auto word = assemble(form, p);
        if (p < 0 || !word || *word < form.first || *word > form.last)
            return std::string();
        return hex4(*word);
    }
    return std::nullopt;
}

} // namespace

std::string AsmCodeRun(std::string_view text) {
    if (auto word = longMnemonic(text))
        return *word;

    const std::string_view m = mid(text, 1, 3);
    const std::size_t n = text.size();
    const std::string_view c4 = mid(text, 4, 1);
    const std::string_view c6 = mid(text, 6, 1);
    const auto* fixed = findForm(m, K::None);
    const auto* reg = findForm(m, K::Register);
    const auto* regDest = findForm(m, K::RegisterDestination);
    const auto* lit = findForm(m, K::Literal);
    const auto* address = findForm(m, K::Address);
    const auto* bit = findForm(m, K::RegisterBit);

    if (reg) { // STA f, CLR f; CLR and CLRW clear W
        if (fixed && (c4 == "W" || n < 4))
            return wordText(*fixed);
        return highPair(*reg) + registerPair(text);
    }
    if (fixed)
        return wordText(*fixed);
    if (regDest && lit) {
        if (n > 5) {
            if (c6 == "W")
                return highPair(*regDest) + rawPair(text);
            if (c6 == "H")
                return highPair(*lit) + rawPair(text);
            return {};
        }
        if (n == 5)
            return highPair(*regDest) + registerPair(text);
        return {};
    }
    if (regDest)
        return highPair(*regDest) + (c6 == "W" ? rawPair(text) : registerPair(text));
    if (lit) // RET: the literal mark is optional
        return highPair(*lit) + rawPair(text);
    if (address)
        return hex4(*address->assembled + state::readHex(mid(text, 5, 3)));
    if (bit) {
        // The bit number is one decimal digit; 8 and 9 carry into the next group.
        const std::string_view b = mid(text, 7, 1);
        if (b.empty() || b[0] < '0' || b[0] > '9')
            return {};
        return hex4(*bit->assembled + 0x80 * (b[0] - '0') + state::readHex(mid(text, 4, 2)));
    }
    if (m == endAnswer)
        return std::string(endAnswer);
    return std::string(addressAnswer);
}

bool isWordText(std::string_view answer) {
    if (answer.size() != 4)
        return false;
    for (char c : answer)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    return true;
}

} // namespace mirel::assembler
