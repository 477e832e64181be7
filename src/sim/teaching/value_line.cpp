#include "value_line.h"

namespace mirel::sim {

namespace {

using Op = assembler::Operation;
using Form = ValueLine::Form;

ValueLine instruction(Op op) {
    ValueLine line;
    line.form = Form::Instruction;
    line.op = op;
    return line;
}

ValueLine formed(Form form) {
    ValueLine line;
    line.form = form;
    return line;
}

// SUB, ORA, AND, XOR, ADD and LDA: the compact text's length and character
// 10 choose register to register, register to W or literal to W; any other
// form changes nothing.
ValueLine withOperand(const Instruction& in, Op op) {
    ValueLine line = instruction(op);
    line.operand = static_cast<std::uint8_t>(in.operand);
    line.shared = in.sharedRegister;
    if (in.length == 9)
        return line;
    line.toW = true;
    if (in.length >= 10 && in.mark == 'W')
        return line;
    if (in.length >= 10 && in.mark == 'H') {
        line.literal = true;
        return line;
    }
    return instruction(Op::Nop);
}

// Operations on one register whose result goes where the destination mark says.
ValueLine onRegister(const Instruction& in, Op op) {
    ValueLine line = instruction(op);
    line.operand = static_cast<std::uint8_t>(in.operand);
    line.shared = in.sharedRegister;
    line.toW = in.mark == 'W';
    return line;
}

// A bit number above 7, typed by hand, names no bit: the line changes nothing.
ValueLine onBit(const Instruction& in, Op op) {
    if (in.bit < 0)
        return instruction(Op::Nop);
    ValueLine line = onRegister(in, op);
    line.toW = false;
    line.mask = static_cast<std::uint8_t>(1 << in.bit);
    return line;
}

ValueLine transfer(const Instruction& in, Op op, std::optional<int> target) {
    if (!target) {
        ValueLine line = formed(Form::NoTarget);
        line.target = in.target; // the address, for the message
        return line;
    }
    ValueLine line = instruction(op);
    line.target = *target;
    return line;
}

ValueLine resolveOperation(const Instruction& in, std::optional<int> target);

} // namespace

// Shared registers keep their address; OPTION seen from bank 3 is the one of bank 1.
ValueLine resolveLine(const Instruction& in, std::optional<int> target) {
    ValueLine line = resolveOperation(in, target);
    for (int bank = 0; bank < 4; ++bank) {
        int index = line.shared ? line.operand : line.operand + 128 * bank;
        if (index == 385)
            index = 129;
        line.index[static_cast<std::size_t>(bank)] = static_cast<std::int16_t>(index);
    }
    line.guarded = line.form != Form::Instruction || line.op == Op::Sta || line.op == Op::Jsr ||
                   line.op == Op::Ret || line.op == Op::Rts;
    return line;
}

namespace {

ValueLine resolveOperation(const Instruction& in, std::optional<int> target) {
    if (!in.operation)
        return formed(Form::None);
    const Op op = *in.operation;
    switch (op) {
    case Op::Nop:
    case Op::Slp: // no sleep state or watchdog: they run as NOP
    case Op::Wdt:
        return instruction(Op::Nop);
    case Op::Clr:
        if (in.length < 8) { // CLR W
            ValueLine line = instruction(Op::Clr);
            line.toW = true;
            return line;
        } else {
            ValueLine line = onRegister(in, op); // whatever mark follows
            line.toW = false;
            return line;
        }
    case Op::Sub:
    case Op::Add:
    case Op::Ora:
    case Op::And:
    case Op::Xor:
    case Op::Lda:
        return withOperand(in, op);
    case Op::Sta:
    case Op::Dec:
    case Op::Inc:
    case Op::Cpl:
    case Op::Dez:
    case Op::Inz:
    case Op::Rra:
    case Op::Rla:
    case Op::Spa:
        return onRegister(in, op);
    case Op::Res:
    case Op::Set:
    case Op::Jbr:
    case Op::Jbs:
        return onBit(in, op);
    case Op::Jmp:
    case Op::Jsr:
        return transfer(in, op, target);
    case Op::Ret: {
        ValueLine line = instruction(Op::Ret);
        line.operand = static_cast<std::uint8_t>(in.operand);
        return line;
    }
    case Op::Rts:
    case Op::Rti: // no interrupts: RTI returns as RTS does
        return instruction(Op::Rts);
    case Op::Option: // words of the parts that this machine never runs
    case Op::Tris:
        return formed(Form::None);
    }
    return formed(Form::None);
}

} // namespace
} // namespace mirel::sim
