#include "instruction_table.h"

#include <array>

namespace mirel::assembler {

namespace {

using K = OperandKind;
using Op = Operation;

// Which flags a form changes, its cycles and the sentence a learner reads.
constexpr Behaviour none(std::string_view does, int cycles = 1) {
    return {false, false, cycles, false, does};
}
constexpr Behaviour zOnly(std::string_view does) {
    return {true, false, 1, false, does};
}
constexpr Behaviour cOnly(std::string_view does) {
    return {false, true, 1, false, does};
}
constexpr Behaviour zAndC(std::string_view does) {
    return {true, true, 1, false, does};
}
constexpr Behaviour skipping(bool changesZ, std::string_view does) {
    return {changesZ, false, 1, true, does};
}
constexpr Behaviour transfer(std::string_view does) {
    return none(does, 2);
}
constexpr Behaviour stops(std::string_view does) {
    return none(does, 0);
}

// A byte-oriented register form f,d: 80 hexadecimal words from its base.
constexpr InstructionForm byteForm(std::string_view mnemonic, Word base, Op op, Behaviour b) {
    return {mnemonic, K::RegisterDestination, base, static_cast<Word>(base + 0xFF), base, op, b};
}
// A bit form f,b: eight bit numbers times 80 registers.
constexpr InstructionForm bitForm(std::string_view mnemonic, Word base, Op op, Behaviour b) {
    return {mnemonic, K::RegisterBit, base, static_cast<Word>(base + 0x3FF), base, op, b};
}
constexpr InstructionForm literalForm(std::string_view mnemonic, Word first, Word last, Word base,
                                      Op op, Behaviour b) {
    return {mnemonic, K::Literal, first, last, base, op, b};
}

// The sentences say "the register" for f, "the literal" for k, and name the
// result's place: with the W mark into W, without it back into the register.
constexpr std::array table{
    InstructionForm{"NOP", K::None, 0x0000, 0x0000, 0x0000, Op::Nop, none("Does nothing.")},
    InstructionForm{"RTS", K::None, 0x0008, 0x0008, 0x0008, Op::Rts,
                    transfer("Returns from a subroutine: goes on at the line after the JSR on "
                             "top of the return stack (with an empty stack it says so and goes "
                             "on at the second line).")},
    InstructionForm{"RTI", K::None, 0x0009, 0x0009, 0x0009, Op::Rti,
                    transfer("Returns exactly as RTS does; this model has no interrupts, so "
                             "unlike the device it does not set GIE in INTCON.")},
    InstructionForm{"OPTION", K::None, 0x0062, 0x0062, 0x0062, Op::Option,
                    stops("Not executed: unlike the device, which loads W into OPTION, a "
                          "program stops at this line and Step does nothing there (store into "
                          "OPTION, 81 in bank 1, with STA instead).")},
    InstructionForm{"SLP", K::None, 0x0063, 0x0063, 0x0063, Op::Slp,
                    none("Does nothing: unlike the device there is no sleep, and TO and PD "
                         "stay as they are.")},
    InstructionForm{"WDT", K::None, 0x0064, 0x0064, 0x0064, Op::Wdt,
                    none("Does nothing: unlike the device there is no watchdog timer, and TO "
                         "and PD stay as they are.")},
    InstructionForm{"TRIS", K::Port, 0x0065, 0x0067, 0x0060, Op::Tris,
                    stops("Not executed: unlike the device, which loads W into the direction "
                          "register of port 5, 6 or 7, a program stops at this line and Step "
                          "does nothing there (store into TRISA 85 or TRISB 86, in bank 1, "
                          "with STA instead).")},
    InstructionForm{"STA", K::Register, 0x0080, 0x00FF, 0x0080, Op::Sta,
                    none("Stores W into the register.")},
    InstructionForm{"CLR", K::None, 0x0100, 0x017F, 0x0100, Op::Clr,
                    none("Clears W to 00; unlike the device it leaves Z as it was.")},
    InstructionForm{"CLR", K::Register, 0x0180, 0x01FF, 0x0180, Op::Clr,
                    none("Clears the register to 00; unlike the device it leaves Z as it was.")},
    byteForm("SUB", 0x0200, Op::Sub,
             zAndC("Subtracts W from the register (register minus W); C is 1 when there is no "
                   "borrow (the register is at least W), Z is set when the result is 00, "
                   "and unlike the device DC stays as it was.")),
    byteForm("DEC", 0x0300, Op::Dec,
             zOnly("Takes 1 from the register, 00 giving FF; Z is set when the result is 00.")),
    byteForm("ORA", 0x0400, Op::Ora,
             zOnly("W OR the register, bit by bit; Z is set when the result is 00.")),
    byteForm("AND", 0x0500, Op::And,
             zOnly("W AND the register, bit by bit; Z is set when the result is 00.")),
    byteForm("XOR", 0x0600, Op::Xor,
             zOnly("W exclusive-OR the register, bit by bit; Z is set when the result is 00.")),
    byteForm("ADD", 0x0700, Op::Add,
             zAndC("Adds W and the register; C is 1 when the sum passes FF, Z is set when the "
                   "8-bit result is 00, and unlike the device DC stays as it was.")),
    byteForm("LDA", 0x0800, Op::Lda,
             zOnly("Loads the register into W with the W mark, or writes it back unchanged "
                   "without it; Z is set when the value is 00.")),
    byteForm("CPL", 0x0900, Op::Cpl,
             none("Inverts every bit of the register; unlike the device it leaves Z as it "
                  "was.")),
    byteForm("INC", 0x0A00, Op::Inc,
             zOnly("Adds 1 to the register, FF giving 00; Z is set when the result is 00.")),
    byteForm("DEZ", 0x0B00, Op::Dez,
             skipping(true, "Takes 1 from the register, 00 giving FF, and skips the next line "
                            "when the result is 00; unlike the device it also sets Z on 00 "
                            "and clears it otherwise.")),
    byteForm("RRA", 0x0C00, Op::Rra,
             cOnly("Rotates the register right through C: C goes into bit 7 and bit 0 into "
                   "C.")),
    byteForm("RLA", 0x0D00, Op::Rla,
             cOnly("Rotates the register left through C: C goes into bit 0 and bit 7 into "
                   "C.")),
    byteForm("SPA", 0x0E00, Op::Spa,
             none("Swaps the two hexadecimal digits (nibbles) of the register.")),
    byteForm("INZ", 0x0F00, Op::Inz,
             skipping(true, "Adds 1 to the register, FF giving 00, and skips the next line "
                            "when the result is 00; unlike the device it also sets Z on 00 "
                            "and clears it otherwise.")),
    bitForm("RES", 0x1000, Op::Res, none("Clears bit b (0 to 7) of the register.")),
    bitForm("SET", 0x1400, Op::Set, none("Sets bit b (0 to 7) of the register.")),
    bitForm("JBR", 0x1800, Op::Jbr,
            skipping(false, "Skips the next line when bit b of the register is 0.")),
    bitForm("JBS", 0x1C00, Op::Jbs,
            skipping(false, "Skips the next line when bit b of the register is 1.")),
    InstructionForm{"JSR", K::Address, 0x2000, 0x27FF, 0x2000, Op::Jsr,
                    transfer("Calls the subroutine at the address: puts this line on the "
                             "return stack (more than 8 deep, it warns and goes on) and goes on "
                             "at the line carrying the address; PCLATH is not used.")},
    InstructionForm{"JMP", K::Address, 0x2800, 0x2FFF, 0x2800, Op::Jmp,
                    transfer("Goes on at the line carrying the address; PCLATH is not used.")},
    literalForm("LDA", 0x3000, 0x33FF, 0x3000, Op::Lda,
                zOnly("Loads the literal into W; unlike the device it sets Z when the literal "
                      "is 00 and clears it otherwise.")),
    literalForm("RET", 0x3400, 0x37FF, 0x3400, Op::Ret,
                transfer("Returns from a subroutine as RTS does, with the literal in W.")),
    literalForm("ORA", 0x3800, 0x38FF, 0x3800, Op::Ora,
                zOnly("W OR the literal into W; Z is set when the result is 00.")),
    literalForm("AND", 0x3900, 0x39FF, 0x3900, Op::And,
                zOnly("W AND the literal into W; Z is set when the result is 00.")),
    literalForm("XOR", 0x3A00, 0x3AFF, 0x3A00, Op::Xor,
                zOnly("W exclusive-OR the literal into W; Z is set when the result is 00.")),
    literalForm("SUB", 0x3B00, 0x3DFF, 0x3C00, Op::Sub,
                zAndC("The literal minus W into W; C is 1 when there is no borrow (the literal "
                      "is at least W), Z is set when the result is 00, and unlike the device "
                      "DC stays as it was.")),
    literalForm("ADD", 0x3E00, 0x3FFF, 0x3E00, Op::Add,
                zAndC("Adds the literal to W; C is 1 when the sum passes FF, Z is set when the "
                      "8-bit result is 00, and unlike the device DC stays as it was.")),
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
