// The teaching model's instructions in words, with the values the cycle
// worked with: told once the instruction is done, before the advance.
#include "line_notices.h"
#include "teaching_overlay.h"

#include <algorithm>

namespace mirel::debug {

namespace {

using assembler::Operation;
using Op = sim::ValueLine::Operation;
using state::hex2;
using state::hex4;

std::string flagWords(const char* name, bool on) {
    return std::string(", ") + name + " = " + (on ? "1" : "0");
}

bool combinesWithW(Operation operation) {
    switch (operation) {
    case Operation::Sub:
    case Operation::Ora:
    case Operation::And:
    case Operation::Xor:
    case Operation::Add:
    case Operation::Lda:
        return true;
    default:
        return false;
    }
}

} // namespace

// Register 00 is the INDF mirror of the register FSR points at.
std::string TeachingOverlay::registerName(int index) const {
    if (index == state::INDF)
        return "INDF [" + hex4(indirectTarget_) + "]";
    return "[" + hex4(index) + "]";
}

// Z and C of STATUS by their names.
std::string TeachingOverlay::bitName(int index, int bit) const {
    const bool status = std::find(std::begin(state::statusCopies), std::end(state::statusCopies),
                                  index) != std::end(state::statusCopies);
    if (status && bit == 2)
        return "Z";
    if (status && bit == 0)
        return "C";
    return registerName(index) + " bit " + std::to_string(bit);
}

std::string TeachingOverlay::lineNamed(int index) const {
    return lineName(form_.Code.line(index), index);
}

void TeachingOverlay::told(const sim::teaching::Told& told) {
    const Operation operation = *instruction_.operation;
    skipped_ = told.skipped;
    switch (operation) {
    case Operation::Nop:
    case Operation::Slp:
    case Operation::Wdt:
        words_ = "does nothing";
        return;
    case Operation::Sta:
        words_ = validRegister(told.index)
                     ? registerName(told.index) + " = W " + hex2(read(told.index))
                     : registerName(told.index) + " is beyond the register file: nothing changes";
        return;
    case Operation::Clr:
        words_ = line_.toW ? "W = 00" : registerName(told.index) + " = 00";
        return;
    case Operation::Jmp:
    case Operation::Jsr:
    case Operation::Ret:
    case Operation::Rts:
    case Operation::Rti:
        words_ = transferWords();
        return;
    case Operation::Res:
    case Operation::Set:
    case Operation::Jbr:
    case Operation::Jbs: {
        const int bit = instruction_.bit;
        if (bit < 0) {
            words_ = "names no bit 0 to 7: nothing changes";
            return;
        }
        if (operation == Operation::Jbr || operation == Operation::Jbs) {
            words_ = bitName(told.index, bit) + " is " + (told.isSet ? "1" : "0");
            return;
        }
        const bool set = operation == Operation::Set;
        const int mask = 1 << bit;
        words_ = registerName(told.index) + " = " + registerName(told.index) + " " + hex2(told.a) +
                 " with bit " + std::to_string(bit) + (set ? " set" : " cleared") + " = " +
                 hex2(set ? told.a | mask : told.a & ~mask & 0xFF);
        return;
    }
    default:
        words_ = byteWords(told);
        return;
    }
}

// The byte operations: destination = formula = result, and the flags set.
std::string TeachingOverlay::byteWords(const sim::teaching::Told& told) const {
    const Operation operation = *instruction_.operation;
    if (combinesWithW(operation) && line_.op == Op::Nop)
        return "this operand form does nothing";
    const bool intoW = line_.toW;
    const std::string dest = intoW ? std::string("W") : registerName(told.index);
    const std::string result = intoW ? *w_ : hex2(told.result & 0xFF);
    const std::string before =
        line_.literal ? hex2(told.a) : registerName(told.index) + " " + hex2(told.a);
    const std::string zero = flagWords("Z", told.result == 0);
    if (combinesWithW(operation)) {
        const std::string wText = (intoW ? "" : "W ") + hex2(told.w);
        switch (operation) {
        case Operation::Sub:
            return dest + " = " + before + " - " + wText + " = " + result + zero +
                   flagWords("C", told.a >= told.w);
        case Operation::Add:
            return dest + " = " + wText + " + " + before + " = " + result + zero +
                   flagWords("C", told.w + told.a > 255);
        case Operation::Lda: // its formula is its result already
            return dest + " = " + before + zero;
        default: {
            const char* name = operation == Operation::Ora   ? " OR "
                               : operation == Operation::And ? " AND "
                                                             : " XOR ";
            return dest + " = " + wText + name + before + " = " + result + zero;
        }
        }
    }
    if (operation == Operation::Rra || operation == Operation::Rla) {
        const bool right = operation == Operation::Rra;
        return dest + " = " + before + " rotated " + (right ? "right" : "left") + " through C " +
               std::to_string(told.oldCarry) + " = " + result +
               flagWords("C", right ? told.a % 2 != 0 : told.a / 128 != 0);
    }
    std::string formula;
    switch (operation) {
    case Operation::Dec:
    case Operation::Dez:
        formula = before + " - 1";
        break;
    case Operation::Inc:
    case Operation::Inz:
        formula = before + " + 1";
        break;
    case Operation::Cpl:
        formula = "NOT " + before;
        break;
    default: // Spa
        formula = before + " with its halves swapped";
        break;
    }
    const std::string words = dest + " = " + formula + " = " + (intoW ? *w_ : hex2(told.result));
    return operation == Operation::Cpl || operation == Operation::Spa ? words : words + zero;
}

// Jumps, calls and returns; where there is no line to go to, the message.
std::string TeachingOverlay::transferWords() const {
    if (line_.form == sim::ValueLine::Form::NoTarget)
        return messages_.back();
    switch (line_.op) {
    case Op::Jmp:
        return "jumps to " + lineNamed(line_.target);
    case Op::Jsr:
        return pushWords_ + "jumps to " + lineNamed(line_.target);
    default: {
        std::string words = popped_ ? "pops " + *popped_ + ", " : "the stack is empty, ";
        if (line_.op == Op::Ret)
            words = "W = " + *w_ + ", " + words;
        const int back = selected_;
        if (messages_.empty() || messages_.back() != sim::noReturnLineMessage)
            return words + "returns to " + lineNamed(back);
        return words + sim::noReturnLineMessage;
    }
    }
}

} // namespace mirel::debug
