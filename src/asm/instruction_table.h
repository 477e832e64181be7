#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace mirel::assembler {

// An instruction word: 14 bits, 0000 to 3FFF.
using Word = std::uint16_t;

// What an instruction does. The simulator maps each to its rule; OPTION and
// TRIS have none: a program stops at them, although they load and save.
enum class Operation {
    Nop,
    Sta,
    Clr,
    Sub,
    Dec,
    Ora,
    And,
    Xor,
    Add,
    Lda,
    Cpl,
    Inc,
    Dez,
    Rra,
    Rla,
    Spa,
    Inz,
    Res,
    Set,
    Jbr,
    Jbs,
    Jsr,
    Jmp,
    Ret,
    Rts,
    Rti,
    Slp,
    Wdt,
    Option, // loaded and saved, never executed
    Tris,   // loaded and saved, never executed
};

// How the operand is written in instruction text.
enum class OperandKind {
    None,                // mnemonic alone
    Register,            // f: "25"
    RegisterDestination, // f,d: "20 W" (result to W) or "20" (result back into f)
    RegisterBit,         // f,b: "05,1"
    Address,             // a: "0345"
    Literal,             // k: "3F H"
    Port,                // p: "6"
};

// What executing a form does in this simulator, as the instruction reference
// tells a learner; where it differs from the device, the sentence says so.
struct Behaviour {
    bool changesZ;
    bool changesC;
    int cycles;            // instruction cycles; 0: never executed, a program stops there
    bool skips;            // a skip taken costs one cycle more
    std::string_view does; // one plain sentence
};

// One form of an instruction: a mnemonic with one operand kind.
struct InstructionForm {
    std::string_view mnemonic;
    OperandKind operand;
    Word first; // the words the disassembler shows under this form: first..last
    Word last;
    std::optional<Word> assembled; // base word the line assembler produces; empty: never assembled
    Operation operation;
    Behaviour behaviour;
};

// Every form, each mnemonic's register form before its literal form.
std::span<const InstructionForm> instructionSet();

// The operation named by a mnemonic (exact, case-sensitive); empty for any other text.
std::optional<Operation> operationOf(std::string_view mnemonic);

// The form of a mnemonic with the given operand kind, or null.
const InstructionForm* findForm(std::string_view mnemonic, OperandKind operand);

// The form whose named range holds the word, or null for a word the table does not name.
const InstructionForm* formOfWord(Word word);

// The operand value a word carries for its form: f, k, a or p (0 for none).
int operandOf(const InstructionForm& form, Word word);
// The destination bit d or the bit number b a word carries (0 for other kinds).
int selectorOf(const InstructionForm& form, Word word);

// The assembled word for an operand value and a destination or bit number,
// each cut to the width of its field; empty for a form that is never assembled.
std::optional<Word> assemble(const InstructionForm& form, int operand, int selector = 0);

} // namespace mirel::assembler
