#include "instruction_reference.h"

#include <algorithm>
#include <cctype>

namespace mirel::assembler {

namespace {

using K = OperandKind;

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The operand's bits in the word, each under its letter; bit 0 first.
struct OperandBits {
    Word mask;
    char low;  // the letter of the low bits
    char high; // the letter of the bits above `lowBits`
    int lowBits;
};

OperandBits operandBits(OperandKind kind) {
    switch (kind) {
    case K::None:
        return {0x000, 'x', 'x', 0};
    case K::Register:
        return {0x07F, 'f', 'f', 7};
    case K::RegisterDestination:
        return {0x0FF, 'f', 'd', 7};
    case K::RegisterBit:
        return {0x3FF, 'f', 'b', 7};
    case K::Address:
        return {0x7FF, 'a', 'a', 11};
    case K::Literal:
        return {0x0FF, 'k', 'k', 8};
    case K::Port:
        return {0x007, 'p', 'p', 3};
    }
    return {0, 'x', 'x', 0};
}

std::string flagsText(const Behaviour& b) {
    if (b.changesZ && b.changesC)
        return "Z C";
    if (b.changesZ)
        return "Z";
    if (b.changesC)
        return "C";
    return "-";
}

std::string cyclesText(const Behaviour& b) {
    if (b.cycles == 0)
        return "0 (stops)";
    std::string text = std::to_string(b.cycles);
    if (b.skips)
        text += ", " + std::to_string(b.cycles + 1) + " when it skips";
    return text;
}

std::string joined(const std::vector<std::string>& parts, std::string_view between) {
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty())
            text += between;
        text += part;
    }
    return text;
}

bool isMnemonic(std::string_view lowerWord) {
    return std::ranges::any_of(instructionSet(), [&](const InstructionForm& form) {
        return lowerCase(form.mnemonic) == lowerWord;
    });
}

} // namespace

std::vector<std::string> typedForms(const InstructionForm& form) {
    const std::string m(form.mnemonic);
    switch (form.operand) {
    case K::None:
        return {m};
    case K::Register:
        return {m + " 20"};
    case K::RegisterDestination:
        return {m + " 20 W", m + " 20"};
    case K::RegisterBit:
        return {m + " 05,1"};
    case K::Address:
        return {m + " 0345"};
    case K::Literal:
        return {m + " 3F H"};
    case K::Port:
        return {m + " 6"};
    }
    return {m};
}

std::string wordPattern(const InstructionForm& form) {
    const Word base = form.assembled.value_or(form.first);
    const OperandBits operand = operandBits(form.operand);
    // Bits that vary over the named range but carry no operand mean nothing.
    const Word free = static_cast<Word>((base ^ form.last) & ~operand.mask);
    std::string pattern;
    for (int bit = 13; bit >= 0; --bit) {
        const Word mask = static_cast<Word>(1U << bit);
        if ((operand.mask & mask) != 0)
            pattern += bit < operand.lowBits ? operand.low : operand.high;
        else if ((free & mask) != 0)
            pattern += 'x';
        else
            pattern += (base & mask) != 0 ? '1' : '0';
        if (bit == 12 || bit == 8 || bit == 4)
            pattern += ' ';
    }
    return pattern;
}

std::string_view referenceLegend() {
    return "Operands are hexadecimal. With the mark W the result goes to W, without it back "
           "into the register; H marks a literal. In the word, f is the register, d the "
           "destination (0: W), b the bit number, k the literal, a the address, p the port, "
           "and x a bit of no meaning. Flags: the ones of Z and C that may change. Cycles at "
           "4 MHz take 1 \xC2\xB5s each. The sentences describe the Teaching Model; with a "
           "part chosen in Debug > Device, every instruction follows that part's data sheet "
           "instead (Z, C and DC, PCL and PCLATH, Timer0, interrupts, SLP), and WDT sets TO "
           "and PD, as no watchdog is simulated.";
}

std::vector<ReferenceEntry> instructionReference() {
    std::vector<ReferenceEntry> entries;
    for (const InstructionForm& form : instructionSet())
        entries.push_back({&form, std::string(form.mnemonic), joined(typedForms(form), " or "),
                           std::string(form.behaviour.does), flagsText(form.behaviour),
                           cyclesText(form.behaviour), wordPattern(form)});
    // The table lists the register form of a mnemonic before its literal form.
    std::ranges::stable_sort(entries, {}, &ReferenceEntry::mnemonic);
    return entries;
}

bool matchesFilter(const ReferenceEntry& entry, std::string_view filter) {
    const std::string words = lowerCase(filter);
    const std::string text = lowerCase(entry.mnemonic + ' ' + entry.typed + ' ' + entry.does + ' ' +
                                       entry.flags + ' ' + entry.pattern);
    const std::string mnemonic = lowerCase(entry.mnemonic);
    std::size_t at = 0;
    while (at < words.size()) {
        const std::size_t end = std::min(words.find(' ', at), words.size());
        const std::string_view word = std::string_view(words).substr(at, end - at);
        at = end + 1;
        if (word.empty())
            continue;
        const bool found =
            isMnemonic(word) ? word == mnemonic : text.find(word) != std::string::npos;
        if (!found)
            return false;
    }
    return true;
}

} // namespace mirel::assembler
