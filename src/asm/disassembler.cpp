#include "disassembler.h"

#include "instruction_table.h"

namespace mirel::assembler {

namespace {

constexpr std::string_view none = "None";

// The value of character i as an upper-case hexadecimal digit; -1 for any
// other character or a missing one.
int digitAt(std::string_view text, std::size_t i) {
    if (i >= text.size())
        return -1;
    const char c = text[i];
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Character i as it stands; nothing when the text is shorter.
std::string_view charAt(std::string_view text, std::size_t i) {
    return i < text.size() ? text.substr(i, 1) : std::string_view{};
}

char digitText(int value) {
    return "0123456789ABCDEF"[value & 0xF];
}

// The table names every word; a word of the class stands for all that share
// its deciding digits.
std::string_view mnemonicOf(int word) {
    const InstructionForm* form = formOfWord(static_cast<Word>(word));
    return form ? form->mnemonic : std::string_view{};
}

std::string withOperand(std::string_view mnemonic, std::string_view operand) {
    std::string text(mnemonic);
    text += '\t';
    text += operand;
    return text;
}

// First digit 0: the special words, STA, CLR and the byte-oriented operations.
std::string byteOriented(std::string_view word) {
    const int c2 = digitAt(word, 1);
    const int c3 = digitAt(word, 2);
    if (c2 == 0) {
        if (c3 == 0 || c3 == 6) {
            const int c4 = digitAt(word, 3);
            const InstructionForm* form =
                c4 < 0 ? nullptr : formOfWord(static_cast<Word>(c3 * 0x10 + c4));
            if (!form)
                return std::string(none);
            if (form->operand == OperandKind::Port)
                return withOperand(form->mnemonic, charAt(word, 3));
            return std::string(form->mnemonic);
        }
        if (c3 >= 8)
            return withOperand(mnemonicOf(0x0080),
                               std::string(1, digitText(c3 - 8)) + std::string(charAt(word, 3)));
        return {};
    }
    if (c2 == 1) {
        if (c3 >= 0 && c3 < 8)
            return std::string(mnemonicOf(0x0100));
        if (c3 >= 8)
            return withOperand(mnemonicOf(0x0180),
                               std::string(1, digitText(c3 - 8)) + std::string(charAt(word, 3)));
        return {};
    }
    if (c2 >= 2)
        return withOperand(mnemonicOf(c2 << 8), GetDF(word.substr(2)));
    return {};
}

// First digit 1: RES, SET, JBR, JBS; the bit number spans the second and third digits.
std::string bitOperation(std::string_view word) {
    const int c2 = digitAt(word, 1);
    int x = digitAt(word, 2);
    if (c2 < 0 || x < 0)
        return {};
    int bit = 2 * (c2 % 4);
    if (x >= 8) {
        x -= 8;
        bit += 1;
    }
    std::string operand(1, digitText(x));
    operand += charAt(word, 3);
    operand += ',';
    operand += digitText(bit);
    return withOperand(mnemonicOf(0x1000 + (c2 << 8)), operand);
}

// First digit 2: JSR and JMP with an address always written with four digits.
std::string jump(std::string_view word) {
    const int c2 = digitAt(word, 1);
    if (c2 < 0)
        return {};
    std::string address = "0";
    address += digitText(c2 % 8);
    address += charAt(word, 2);
    address += charAt(word, 3);
    return withOperand(mnemonicOf(0x2000 + (c2 << 8)), address);
}

// First digit 3: the literal operations, the literal copied with its mark.
std::string literal(std::string_view word) {
    const int c2 = digitAt(word, 1);
    if (c2 < 0)
        return {};
    std::string operand(charAt(word, 2));
    operand += charAt(word, 3);
    operand += " H";
    return withOperand(mnemonicOf(0x3000 + (c2 << 8)), operand);
}

} // namespace

std::string GetOpcodeName(std::string_view word) {
    switch (digitAt(word, 0)) {
    case 0:
        return byteOriented(word);
    case 1:
        return bitOperation(word);
    case 2:
        return jump(word);
    case 3:
        return literal(word);
    default:
        return std::string(none);
    }
}

std::string GetDF(std::string_view digits) {
    const int x = digitAt(digits, 0);
    if (x < 0)
        return std::string(none);
    if (x < 8) {
        std::string operand(digits.substr(0, 2));
        return operand + " W";
    }
    return std::string(1, digitText(x - 8)) + std::string(charAt(digits, 1));
}

} // namespace mirel::assembler
