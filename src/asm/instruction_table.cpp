#include "instruction_table.h"

#include <array>

namespace mirel::assembler {

namespace {

using K = OperandKind;
using Op = Operation;

// A byte-oriented register form f,d: 80 hexadecimal words from its base.
constexpr InstructionForm byteForm(std::string_view mnemonic, Word base, Op op) {
    return {mnemonic, K::RegisterDestination, base, static_cast<Word>(base + 0xFF), base, op};
}
// A bit form f,b: eight bit numbers times 80 registers.
constexpr InstructionForm bitForm(std::string_view mnemonic, Word base, Op op) {
    return {mnemonic, K::RegisterBit, base, static_cast<Word>(base + 0x3FF), base, op};
}
constexpr InstructionForm literalForm(std::string_view mnemonic, Word first, Word last, Word base,
                                      Op op) {
    return {mnemonic, K::Literal, first, last, base, op};
}

constexpr std::array table{
    InstructionForm{"NOP", K::None, 0x0000, 0x0000, 0x0000, Op::Nop},
    InstructionForm{"RTS", K::None, 0x0008, 0x0008, 0x0008, Op::Rts},
    InstructionForm{"RTI", K::None, 0x0009, 0x0009, 0x0009, Op::Rti},
    InstructionForm{"OPTION", K::None, 0x0062, 0x0062, 0x0062, Op::Option},
    InstructionForm{"SLP", K::None, 0x0063, 0x0063, 0x0063, Op::Slp},
    InstructionForm{"WDT", K::None, 0x0064, 0x0064, 0x0064, Op::Wdt},
    InstructionForm{"TRIS", K::Port, 0x0065, 0x0067, 0x0060, Op::Tris},
    InstructionForm{"STA", K::Register, 0x0080, 0x00FF, 0x0080, Op::Sta},
    InstructionForm{"CLR", K::None, 0x0100, 0x017F, 0x0100, Op::Clr},
    InstructionForm{"CLR", K::Register, 0x0180, 0x01FF, 0x0180, Op::Clr},
    byteForm("SUB", 0x0200, Op::Sub),
    byteForm("DEC", 0x0300, Op::Dec),
    byteForm("ORA", 0x0400, Op::Ora),
    byteForm("AND", 0x0500, Op::And),
    byteForm("XOR", 0x0600, Op::Xor),
    byteForm("ADD", 0x0700, Op::Add),
    byteForm("LDA", 0x0800, Op::Lda),
    byteForm("CPL", 0x0900, Op::Cpl),
    byteForm("INC", 0x0A00, Op::Inc),
    byteForm("DEZ", 0x0B00, Op::Dez),
    byteForm("RRA", 0x0C00, Op::Rra),
    byteForm("RLA", 0x0D00, Op::Rla),
    byteForm("SPA", 0x0E00, Op::Spa),
    byteForm("INZ", 0x0F00, Op::Inz),
    bitForm("RES", 0x1000, Op::Res),
    bitForm("SET", 0x1400, Op::Set),
    bitForm("JBR", 0x1800, Op::Jbr),
    bitForm("JBS", 0x1C00, Op::Jbs),
    InstructionForm{"JSR", K::Address, 0x2000, 0x27FF, 0x2000, Op::Jsr},
    InstructionForm{"JMP", K::Address, 0x2800, 0x2FFF, 0x2800, Op::Jmp},
    literalForm("LDA", 0x3000, 0x33FF, 0x3000, Op::Lda),
    literalForm("RET", 0x3400, 0x37FF, 0x3400, Op::Ret),
    literalForm("ORA", 0x3800, 0x38FF, 0x3800, Op::Ora),
    literalForm("AND", 0x3900, 0x39FF, 0x3900, Op::And),
    literalForm("XOR", 0x3A00, 0x3AFF, 0x3A00, Op::Xor),
    literalForm("SUB", 0x3B00, 0x3DFF, 0x3C00, Op::Sub),
    literalForm("ADD", 0x3E00, 0x3FFF, 0x3E00, Op::Add),
};

} // namespace

std::span<const InstructionForm> instructionSet() {
    return table;
}

std::optional<Operation> operationOf(std::string_view mnemonic) {
    for (const InstructionForm& form : table)
        if (form.mnemonic == mnemonic)
            return form.operation;
    return std::nullopt;
}

const InstructionForm* findForm(std::string_view mnemonic, OperandKind operand) {
    for (const InstructionForm& form : table)
        if (form.mnemonic == mnemonic && form.operand == operand)
            return &form;
    return nullptr;
}

const InstructionForm* formOfWord(Word word) {
    for (const InstructionForm& form : table)
        if (word >= form.first && word <= form.last)
            return &form;
    return nullptr;
}

int operandOf(const InstructionForm& form, Word word) {
    switch (form.operand) {
    case K::None:
        return 0;
    case K::Register:
    case K::RegisterDestination:
    case K::RegisterBit:
        return word & 0x7F;
    case K::Address:
        return word & 0x7FF;
    case K::Literal:
        return word & 0xFF;
    case K::Port:
        return word & 0x07;
    }
    return 0;
}

int selectorOf(const InstructionForm& form, Word word) {
    switch (form.operand) {
    case K::RegisterDestination:
        return (word >> 7) & 0x1;
    case K::RegisterBit:
        return (word >> 7) & 0x7;
    default:
        return 0;
    }
}

std::optional<Word> assemble(const InstructionForm& form, int operand, int selector) {
    if (!form.assembled)
        return std::nullopt;
    int word = *form.assembled;
    switch (form.operand) {
    case K::None:
        break;
    case K::Register:
        word += operand & 0x7F;
        break;
    case K::RegisterDestination:
        word += (operand & 0x7F) + 0x80 * (selector & 0x1);
        break;
    case K::RegisterBit:
        word += (operand & 0x7F) + 0x80 * (selector & 0x7);
        break;
    case K::Address:
        word += operand & 0x7FF;
        break;
    case K::Literal:
        word += operand & 0xFF;
        break;
    case K::Port:
        word += operand & 0x07;
        break;
    }
    return static_cast<Word>(word);
}

} // namespace mirel::assembler
