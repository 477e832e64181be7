#include "value_line.h"

#include "instruction_rules.h"

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

ValueLine transfer(Op op, std::optional<int> target) {
    if (!target)
        return {Op::Text};
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
    line.guarded = line.op == Op::Text || line.op == Op::Sta || line.op == Op::Jsr ||
                   line.op == Op::Ret || line.op == Op::Rts;
    return line;
}

namespace {

ValueLine resolveOperation(const Instruction& in, std::optional<int> target) {
    const Rule rule = in.rule;
    // The operand is two hex digits, 0 to FF, in every text the rules read.
    if (in.operand < 0 || in.operand > 0xFF)
        return {Op::Text};
    if (rule == nop)
        return {Op::Nop};
    if (rule == sta)
        return onRegister(in, Op::Sta);
    if (rule == clr)
        return in.length < 8 ? ValueLine{Op::ClrW} : onRegister(in, Op::ClrRegister);
    if (rule == sub)
        return withOperand(in, Op::Sub);
    if (rule == add)
        return withOperand(in, Op::Add);
    if (rule == ora)
        return withOperand(in, Op::Ora);
    if (rule == andWith)
        return withOperand(in, Op::And);
    if (rule == xorWith)
        return withOperand(in, Op::Xor);
    if (rule == lda)
        return withOperand(in, Op::Lda);
    if (rule == dec)
        return onRegister(in, Op::Dec);
    if (rule == inc)
        return onRegister(in, Op::Inc);
    if (rule == cpl)
        return onRegister(in, Op::Cpl);
    if (rule == dez)
        return onRegister(in, Op::Dez);
    if (rule == inz)
        return onRegister(in, Op::Inz);
    if (rule == rra)
        return onRegister(in, Op::Rra);
    if (rule == rla)
        return onRegister(in, Op::Rla);
    if (rule == spa)
        return onRegister(in, Op::Spa);
    if (rule == res)
        return onBit(in, Op::Res);
    if (rule == set)
        return onBit(in, Op::Set);
    if (rule == jbr)
        return onBit(in, Op::Jbr);
    if (rule == jbs)
        return onBit(in, Op::Jbs);
    if (rule == jmp)
        return transfer(Op::Jmp, target);
    if (rule == jsr)
        return transfer(Op::Jsr, target);
    if (rule == ret) {
        ValueLine line{Op::Ret};
        line.operand = static_cast<std::uint8_t>(in.operand);
        return line;
    }
    if (rule == rts)
        return {Op::Rts};
    return {Op::Text};
}

} // namespace
} // namespace mirel::sim
