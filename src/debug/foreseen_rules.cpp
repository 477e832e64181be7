// The rules of the instruction families, foreseen: each follows its
// simulator rule step by step on the work's registers and says in words what
// it does with the values of today.
#include "foreseen_step.h"

#include "line_notices.h"
#include "sim/instruction_rules.h"
#include "sim/return_stack.h"
#include "state/program_text.h"
#include "state/w_register.h"

#include <algorithm>
#include <charconv>

namespace mirel::debug::foresee {

namespace {

using assembler::Operation;
using state::hex2;
using state::hex4;

std::string lineNamed(const state::MainForm& form, int index) {
    return lineName(form.Code.line(index), index);
}

// A register as the words show it: its Reg index; register 00 is the INDF
// mirror of the register FSR points at.
std::string registerName(const Work& work, int index) {
    if (index == state::INDF)
        return "INDF [" + hex4(work.indirectTarget) + "]";
    return "[" + hex4(index) + "]";
}
std::string registerWithValue(const Work& work, int index) {
    return registerName(work, index) + " " + hex2(work.regs.read(index));
}

std::string flagWords(const char* name, bool on) {
    return std::string(", ") + name + " = " + (on ? "1" : "0");
}

int registerIndex(const Work& work) {
    return state::bankedIndex(work.form, work.instruction.operand, work.instruction.sharedRegister);
}
bool toW(const Work& work) {
    return work.instruction.mark == 'W';
}
// Where a result goes, as the words name it.
std::string destination(const Work& work, bool intoW, int index) {
    return intoW ? std::string("W") : registerName(work, index);
}

// SUB, ORA, AND, XOR, ADD and LDA tell their forms apart by the length of
// the compact text and its character 10.
enum class Form { RegisterToRegister, RegisterToW, LiteralToW, Unknown };

Form formOf(const sim::Instruction& instruction) {
    if (instruction.length == 9)
        return Form::RegisterToRegister;
    if (instruction.length < 10)
        return Form::Unknown;
    switch (instruction.mark) {
    case 'W':
        return Form::RegisterToW;
    case 'H':
        return Form::LiteralToW;
    default:
        return Form::Unknown;
    }
}

constexpr const char* unknownForm = "this operand form does nothing";

// The byte operations with a register or literal operand and W.
std::string withOperand(Work& work, Operation operation) {
    const Form form = formOf(work.instruction);
    if (form == Form::Unknown)
        return unknownForm;
    const int index = registerIndex(work);
    const bool literal = form == Form::LiteralToW;
    const bool intoW = form != Form::RegisterToRegister;
    const int a = literal ? work.instruction.operand : work.regs.read(index);
    const int w = work.wValue();
    const std::string operand = literal ? hex2(a) : registerWithValue(work, index);
    const std::string wText = (intoW ? "" : "W ") + hex2(w);
    std::string flags;
    int result = 0;
    std::string formula;
    switch (operation) {
    case Operation::Sub: {
        const bool borrow = a < w;
        result = (borrow ? a + 256 : a) - w;
        work.setCarry(!borrow);
        work.setZero(result);
        formula = operand + " - " + wText;
        flags = flagWords("Z", *work.zero) + flagWords("C", *work.carry);
        break;
    }
    case Operation::Add: {
        result = w + a;
        const bool carry = result > 255;
        if (carry)
            result -= 256;
        work.setZero(result);
        work.setCarry(carry);
        formula = wText + " + " + operand;
        flags = flagWords("Z", *work.zero) + flagWords("C", *work.carry);
        break;
    }
    default: {
        const char* name = operation == Operation::Ora   ? " OR "
                           : operation == Operation::And ? " AND "
                           : operation == Operation::Xor ? " XOR "
                                                         : "";
        result = operation == Operation::Ora   ? (w | a) & 0xFF
                 : operation == Operation::And ? (w & a) & 0xFF
                 : operation == Operation::Xor ? (w ^ a) & 0xFF
                                               : a & 0xFF;
        work.setZero(result);
        formula = operation == Operation::Lda ? operand : wText + name + operand;
        flags = flagWords("Z", *work.zero);
        break;
    }
    }
    work.storeResult(intoW, index, result);
    // LDA's formula is its result already.
    std::string words = destination(work, intoW, index) + " = " + formula;
    if (operation != Operation::Lda)
        words += " = " + (intoW ? *work.w : hex2(result & 0xFF));
    return words + flags;
}

std::string sta(Work& work) {
    const int index = registerIndex(work);
    if (!work.form.Reg.validIndex(index))
        return registerName(work, index) + " is beyond the register file: nothing changes";
    if (const auto value = state::plainW(work.form);
        value && work.form.registers.wellFormed(index)) {
        work.store(index, *value);
    } else {
        // The line made from W's text reads back as its first two characters.
        std::string text = state::upperCase(work.form.W.text());
        if (text.size() < 2)
            text.insert(0, 2 - text.size(), '0');
        const std::string line = state::registerLineFromText(
            state::mid(work.form.Reg.line(index), 1, 4), text, state::WTrans(work.form));
        work.store(index, state::readHex(state::mid(line, 6, 2)));
    }
    return registerName(work, index) + " = W " + hex2(work.regs.read(index));
}

std::string countOrComplement(Work& work, Operation operation) {
    const int index = registerIndex(work);
    const int v = work.regs.read(index);
    const std::string before = registerWithValue(work, index);
    const bool intoW = toW(work);
    std::string formula;
    int result = 0;
    std::string after;
    switch (operation) {
    case Operation::Dec:
    case Operation::Dez:
        result = (v + 255) % 256;
        formula = before + " - 1";
        break;
    case Operation::Inc:
    case Operation::Inz:
        result = (v + 1) % 256;
        formula = before + " + 1";
        break;
    case Operation::Cpl:
        result = 255 - v;
        formula = "NOT " + before;
        break;
    default: // Spa
        result = (v % 16) * 16 + v / 16;
        formula = before + " with its halves swapped";
        break;
    }
    if (operation == Operation::Dez || operation == Operation::Inz) {
        if (result == 0)
            ++work.current;
    }
    if (operation != Operation::Cpl && operation != Operation::Spa)
        work.setZero(result);
    work.storeResult(intoW, index, result);
    std::string words = destination(work, intoW, index) + " = " + formula + " = " +
                        (intoW ? *work.w : hex2(result));
    if (work.zero)
        words += flagWords("Z", *work.zero);
    return words;
}

std::string rotate(Work& work, bool right) {
    const int index = registerIndex(work);
    const int v = work.regs.read(index);
    const int oldCarry = work.status() & state::cMask;
    const int result = right ? oldCarry * 128 + v / 2 : (v * 2) % 256 + oldCarry;
    const std::string before = registerWithValue(work, index);
    work.setCarry(right ? v % 2 != 0 : v / 128 != 0);
    const bool intoW = toW(work);
    work.storeResult(intoW, index, result);
    return destination(work, intoW, index) + " = " + before + " rotated " +
           (right ? "right" : "left") + " through C " + std::to_string(oldCarry) + " = " +
           (intoW ? *work.w : hex2(result)) + flagWords("C", *work.carry);
}

// The name of a bit in the words: Z and C of STATUS by their names.
std::string bitName(const Work& work, int index, int bit) {
    const bool status = std::find(std::begin(state::statusCopies), std::end(state::statusCopies),
                                  index) != std::end(state::statusCopies);
    if (status && bit == 2)
        return "Z";
    if (status && bit == 0)
        return "C";
    return registerName(work, index) + " bit " + std::to_string(bit);
}

std::string bitOperation(Work& work, Operation operation) {
    const int bit = work.instruction.bit;
    if (bit < 0)
        return "names no bit 0 to 7: nothing changes";
    const int index = registerIndex(work);
    const int v = work.regs.read(index);
    const int mask = 1 << bit;
    if (operation == Operation::Res || operation == Operation::Set) {
        const bool set = operation == Operation::Set;
        const int result = set ? v | mask : v & ~mask & 0xFF;
        const std::string before = registerWithValue(work, index);
        work.store(index, result);
        return registerName(work, index) + " = " + before + " with bit " + std::to_string(bit) +
               (set ? " set" : " cleared") + " = " + hex2(result);
    }
    const bool isSet = (v & mask) != 0;
    if (isSet == (operation == Operation::Jbs))
        ++work.current;
    return bitName(work, index, bit) + " is " + (isSet ? "1" : "0");
}

std::string warn(Work& work, std::string text) {
    work.messages.push_back(text);
    return text;
}

std::string jump(Work& work, bool call) {
    work.transfer = true;
    const int address = work.instruction.target;
    const int line = work.simulator.targetLine(work.current).value_or(-1);
    if (line < 0)
        return warn(work, std::string(sim::noTargetLineMessage) + hex4(address & 0xFFFF) + ".");
    std::string words;
    if (call) {
        work.stackLines().push_back(std::to_string(work.current));
        words = "pushes " + std::to_string(work.current);
        if (static_cast<int>(work.stackLines().size()) - 1 > sim::stackLimit)
            words += " (" + warn(work, sim::stackOverflowMessage) + ")";
        words += ", ";
    }
    work.selected = line;
    return words + "jumps to " + lineNamed(work.form, line);
}

std::string returnToCaller(Work& work) {
    work.transfer = true;
    std::vector<std::string>& stack = work.stackLines();
    std::string top;
    if (!stack.empty()) {
        top = stack.back();
        stack.pop_back();
    }
    int popped = 0;
    std::string words;
    if (stack.empty()) {
        warn(work, sim::stackUnderflowMessage);
        stack.emplace_back("SP");
        words = "the stack is empty, ";
    } else {
        std::from_chars(top.data(), top.data() + top.size(), popped);
        words = "pops " + top + ", ";
    }
    const int next = popped + 1;
    if (!work.form.Code.validIndex(next))
        return words + warn(work, sim::noReturnLineMessage);
    work.selected = next;
    return words + "returns to " + lineNamed(work.form, next);
}

} // namespace

std::string runRule(Work& work, Operation operation) {
    switch (operation) {
    case Operation::Nop:
    case Operation::Slp:
    case Operation::Wdt:
        return "does nothing";
    case Operation::Sta:
        return sta(work);
    case Operation::Clr:
        if (work.instruction.length < 8) {
            work.storeW(0);
            return "W = 00";
        }
        work.store(registerIndex(work), 0);
        return registerName(work, registerIndex(work)) + " = 00";
    case Operation::Sub:
    case Operation::Ora:
    case Operation::And:
    case Operation::Xor:
    case Operation::Add:
    case Operation::Lda:
        return withOperand(work, operation);
    case Operation::Dec:
    case Operation::Inc:
    case Operation::Cpl:
    case Operation::Dez:
    case Operation::Inz:
    case Operation::Spa:
        return countOrComplement(work, operation);
    case Operation::Rra:
    case Operation::Rla:
        return rotate(work, operation == Operation::Rra);
    case Operation::Res:
    case Operation::Set:
    case Operation::Jbr:
    case Operation::Jbs:
        return bitOperation(work, operation);
    case Operation::Jmp:
    case Operation::Jsr:
        return jump(work, operation == Operation::Jsr);
    case Operation::Ret:
        work.storeW(work.instruction.operand);
        return "W = " + *work.w + ", " + returnToCaller(work);
    case Operation::Rts:
    case Operation::Rti:
        return returnToCaller(work);
    case Operation::Option:
    case Operation::Tris:
        break;
    }
    return {};
}

} // namespace mirel::debug::foresee
