#include "value_line.h"

namespace mirel::sim {

namespace {

using Op = ValueLine::Op;

// SUB, ORA, AND, XOR, ADD and LDA: the compact text's length and character
// 10 choose register to register, register to W or literal to W; any other
// form changes nothing.
ValueLine withOperand(const Instruction& in, Op op) {
    ValueLine line;
    line.op = op;
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
    return {Op::Nop};
}

// Operations on one register whose result goes where the destination mark says.
ValueLine onRegister(const Instruction& in, Op op) {
    ValueLine line;
    line.op = op;
    line.operand = static_cast<std::uint8_t>(in.operand);
    line.shared = in.sharedRegister;
    line.toW = in.mark == 'W';
    return line;
}

// A bit number above 7, typed by hand, names no bit: the line changes nothing.
ValueLine onBit(const Instruction& in, Op op) {
    if (in.bit < 0)
        return {Op::Nop};
    ValueLine line = onRegister(in, op);
    line.toW = false;
    line.mask = static_cast<std::uint8_t>(1 << in.bit);
    return line;
}

ValueLine transfer(const Instruction& in, Op op, std::optional<int> target) {
    if (!target) {
        ValueLine line{Op::NoTarget};
        line.target = in.target; // the address, for the message
        return line;
    }
    ValueLine line;
    line.op = op;
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
    line.guarded = line.op == Op::None || line.op == Op::NoTarget || line.op == Op::Sta ||
                   line.op == Op::Jsr || line.op == Op::Ret || line.op == Op::Rts;
    return line;
}

namespace {

ValueLine resolveOperation(const Instruction& in, std::optional<int> target) {
    using assembler::Operation;
    if (!in.operation)
        return {Op::None};
    switch (*in.operation) {
    case Operation::Nop:
    case Operation::Slp: // no sleep state or watchdog: they run as NOP
    case Operation::Wdt:
        return {Op::Nop};
    case Operation::Sta:
        return onRegister(in, Op::Sta);
    case Operation::Clr:
        return in.length < 8 ? ValueLine{Op::ClrW} : onRegister(in, Op::ClrRegister);
    case Operation::Sub:
        return withOperand(in, Op::Sub);
    case Operation::Add:
        return withOperand(in, Op::Add);
    case Operation::Ora:
        return withOperand(in, Op::Ora);
    case Operation::And:
        return withOperand(in, Op::And);
    case Operation::Xor:
        return withOperand(in, Op::Xor);
    case Operation::Lda:
        return withOperand(in, Op::Lda);
    case Operation::Dec:
        return onRegister(in, Op::Dec);
    case Operation::Inc:
        return onRegister(in, Op::Inc);
    case Operation::Cpl:
        return onRegister(in, Op::Cpl);
    case Operation::Dez:
        return onRegister(in, Op::Dez);
    case Operation::Inz:
        return onRegister(in, Op::Inz);
    case Operation::Rra:
        return onRegister(in, Op::Rra);
    case Operation::Rla:
        return onRegister(in, Op::Rla);
    case Operation::Spa:
        return onRegister(in, Op::Spa);
    case Operation::Res:
        return onBit(in, Op::Res);
    case Operation::Set:
        return onBit(in, Op::Set);
    case Operation::Jbr:
        return onBit(in, Op::Jbr);
    case Operation::Jbs:
        return onBit(in, Op::Jbs);
    case Operation::Jmp:
        return transfer(in, Op::Jmp, target);
    case Operation::Jsr:
        return transfer(in, Op::Jsr, target);
    case Operation::Ret: {
        ValueLine line{Op::Ret};
        line.operand = static_cast<std::uint8_t>(in.operand);
        return line;
    }
    case Operation::Rts:
    case Operation::Rti: // no interrupts: RTI returns as RTS does
        return {Op::Rts};
    case Operation::Option: // words of the parts that this machine never runs
    case Operation::Tris:
        return {Op::None};
    }
    return {Op::None};
}

} // namespace
} // namespace mirel::sim
