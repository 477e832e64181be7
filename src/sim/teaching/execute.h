#pragma once

// The teaching model's instruction cycle, once for every place its machine
// is kept: the form's models for a Step, bytes for a run on values, an
// overlay that foresees the next step. A machine gives
//   indirectTarget()        FSR plus the bank offset, as the cycle starts
//   registerIndex(line)     the register the operand reaches in this bank
//   read(i), write(i, v)    register values by Reg index; beyond the file 0, nothing
//   writeOperand(i, v)      the same for the register the instruction names (or,
//                           through INDF, the one FSR points at): the only write
//                           a step makes to a line other than INDF, STATUS and the ports
//   w(), setW(v)
//   storeW(i)               STA into a register of the file: the value of W,
//                           or its text where only the text can go
//   validRegister(i)
//   instructionStarting()   the line is about to run (the entry line follows it)
//   push(line), pop()       the return stack; pop answers the calling line
//   lineCount(), select(line)
//   warn(text)              a message box
//   portTail()              lamps and boxes follow the ports, inputs merge
// and, when it tells the words of a step (`tells` true), told(Told).
// `onlyInstructions`: the machine never runs a line without an instruction.
#include "sim/teaching/return_stack.h"
#include "sim/teaching/value_line.h"
#include "state/hex_text.h"
#include "state/register_file.h"

#include <iterator>
#include <string>

namespace mirel::sim::teaching {

// What an instruction worked with, for a machine that says it in words.
struct Told {
    int index = 0;      // the register operand
    int a = 0;          // the operand's value, register or literal
    int w = 0;          // W before the instruction
    int result = 0;     // before it is stored
    int oldCarry = 0;   // C before a rotate
    bool isSet = false; // the bit a skip tests
    bool skipped = false;
};

template <typename Machine>
concept Tells = Machine::tells;

namespace detail {

// Every STATUS copy changes from its own value; the copies are spelt out
// so that each write goes to a known register.
template <typename Machine> inline void setFlag(Machine& m, int mask, bool on) {
    const auto change = [&](int copy) {
        const int v = m.read(copy);
        m.write(copy, on ? v | mask : v & ~mask & 0xFF);
    };
    static_assert(std::size(state::statusCopies) == 4);
    change(state::statusCopies[0]);
    change(state::statusCopies[1]);
    change(state::statusCopies[2]);
    change(state::statusCopies[3]);
}

} // namespace detail

// One cycle on line `current`, resolved as `l`: the INDF mirror, the
// instruction, the advance, the common tail, the INDF write-back. Answers
// the instruction cycles, 0 when the line holds no instruction (which
// ends the cycle before the advance and the tail).
template <typename Machine>
[[gnu::always_inline]] inline int execute(Machine& m, int current, const ValueLine& l) {
    using Op = ValueLine::Operation;
    using Form = ValueLine::Form;
    m.write(state::INDF, m.read(m.indirectTarget()));
    m.instructionStarting();
    // A run on values stops before such lines and never asks.
    bool noTarget = false;
    if constexpr (!Machine::onlyInstructions) {
        if (l.form == Form::None) [[unlikely]]
            return 0;
        noTarget = l.form == Form::NoTarget;
    }

    const bool onRegister = namesRegister(l);
    const int index = onRegister ? m.registerIndex(l) : 0;
    Told told;
    told.index = index;
    bool indf = false;
    const auto store = [&](int value) {
        indf |= index == state::INDF;
        m.writeOperand(index, value);
    };
    const auto result = [&](int value) {
        if constexpr (Tells<Machine>)
            told.result = value;
        if (l.toW)
            m.setW(value);
        else
            store(value);
    };
    const auto setZ = [&](bool zero) { detail::setFlag(m, state::zMask, zero); };
    const auto setC = [&](bool carry) { detail::setFlag(m, state::cMask, carry); };
    // Register values and literals are bytes, 0 to FF; only W's text may
    // stand for more.
    const int a = l.literal ? l.operand : onRegister ? m.read(index) : 0;
    if constexpr (Tells<Machine>)
        told.a = a;
    // W is read only by the instructions that combine it with the operand.
    const auto wValue = [&] {
        const int w = m.w();
        if constexpr (Tells<Machine>)
            told.w = w;
        return w;
    };
    int next = current; // a skip moves it on by one
    bool transfer = false;
    // A jump or call with no line to go to holds a NOP beside its message.
    if (noTarget) [[unlikely]] {
        m.warn(std::string(noTargetLineMessage) + state::hex4(l.target & 0xFFFF) + ".");
        transfer = true;
    }
    switch (l.op) {
    case Op::Sta:
        if (m.validRegister(index)) {
            indf |= index == state::INDF;
            m.storeW(index);
        }
        break;
    case Op::Clr:
        if (l.toW)
            m.setW(0);
        else
            store(0);
        break;
    case Op::Sub: {
        const int w = wValue();
        const bool borrow = a < w;
        setC(!borrow);
        const int r = (borrow ? a + 256 : a) - w;
        setZ(r == 0);
        result(r);
        break;
    }
    case Op::Add: {
        const int w = wValue();
        int sum = w + a;
        const bool carry = sum > 255;
        if (carry)
            sum -= 256;
        setZ(sum == 0);
        setC(carry);
        result(sum);
        break;
    }
    case Op::Ora: {
        const int r = (wValue() | a) & 0xFF;
        setZ(r == 0);
        result(r);
        break;
    }
    case Op::And: {
        const int r = (wValue() & a) & 0xFF;
        setZ(r == 0);
        result(r);
        break;
    }
    case Op::Xor: {
        const int r = (wValue() ^ a) & 0xFF;
        setZ(r == 0);
        result(r);
        break;
    }
    case Op::Lda:
        setZ((a & 0xFF) == 0);
        result(a & 0xFF);
        break;
    case Op::Dec:
    case Op::Dez: {
        const int r = (a + 255) & 0xFF;
        if (l.op == Op::Dez && r == 0)
            ++next;
        setZ(r == 0);
        result(r);
        break;
    }
    case Op::Inc:
    case Op::Inz: {
        const int r = (a + 1) & 0xFF;
        if (l.op == Op::Inz && r == 0)
            ++next;
        setZ(r == 0);
        result(r);
        break;
    }
    case Op::Cpl:
        result(255 - a);
        break;
    case Op::Rra:
    case Op::Rla: {
        const int carry = (m.read(state::STATUS) & state::cMask) != 0 ? 1 : 0;
        if constexpr (Tells<Machine>)
            told.oldCarry = carry;
        const bool right = l.op == Op::Rra;
        setC(right ? (a & 1) != 0 : a >= 128);
        result(right ? carry << 7 | a >> 1 : ((a << 1) & 0xFF) | carry);
        break;
    }
    case Op::Spa:
        result((a & 15) << 4 | a >> 4);
        break;
    case Op::Res:
        store(a & ~l.mask & 0xFF);
        break;
    case Op::Set:
        store(a | l.mask);
        break;
    case Op::Jbr:
    case Op::Jbs: {
        const bool isSet = (a & l.mask) != 0;
        if constexpr (Tells<Machine>)
            told.isSet = isSet;
        if (isSet == (l.op == Op::Jbs))
            ++next;
        break;
    }
    case Op::Jsr:
        m.push(current);
        [[fallthrough]];
    case Op::Jmp:
        m.select(l.target);
        transfer = true;
        break;
    case Op::Ret:
        m.setW(l.operand);
        [[fallthrough]];
    case Op::Rts: {
        const int back = m.pop() + 1;
        if (back >= 0 && back < m.lineCount())
            m.select(back);
        else
            m.warn(noReturnLineMessage);
        transfer = true;
        break;
    }
    default: // NOP
        break;
    }
    if constexpr (Tells<Machine>) {
        told.skipped = next != current;
        m.told(told);
    }
    if (!transfer) {
        const int last = m.lineCount() - 1;
        m.select(next < last ? next + 1 : last);
    }
    m.portTail();
    // FSR and the bank bits are as the cycle found them: a step through INDF
    // writes INDF, not FSR, and the flags it sets are not the bank bits.
    if (indf)
        m.writeOperand(m.indirectTarget(), m.read(state::INDF));
    return transfer || next != current ? 2 : 1;
}

} // namespace mirel::sim::teaching
