// Instructions on whole bytes. Flags change before the result is stored, so a
// result written into STATUS replaces the flag change in its own copy only.
#include "instruction_rules.h"

#include "state/flags.h"
#include "state/hex_text.h"
#include "state/program_text.h"
#include "state/register_file.h"
#include "state/w_register.h"


namespace mirel::sim {

namespace {

// The operand forms of SUB, ORA, AND, XOR, ADD and LDA, told apart by the
// length of the compact text and its character 10.
enum class Form { RegisterToRegister, RegisterToW, LiteralToW, Unknown };

Form formOf(const Cycle& cycle) {
    const int length = cycle.instruction.length;
    if (length == 9)
        return Form::RegisterToRegister;
    if (length < 10)
        return Form::Unknown;
    switch (cycle.instruction.mark) {
    case 'W':
        return Form::RegisterToW;
    case 'H':
        return Form::LiteralToW;
    default:
        return Form::Unknown;
    }
}

int zeroArgument(int result) {
    return result == 0 ? 0 : 1;
}

// Runs `compute(a, w)` on the register or literal operand and stores what it
// answers where the form sends it; an unknown form changes nothing.
template <typename Compute> Next withOperand(Cycle& cycle, Compute compute) {
    const Form form = formOf(cycle);
    if (form == Form::Unknown)
        return Next::Advance;
    const int index = operand::registerIndex(cycle);
    const int a = form == Form::LiteralToW ? cycle.instruction.operand
                                           : state::readRegister(cycle.form, index);
    const int result = compute(a, state::WData(cycle.form));
    storeResult(cycle, form != Form::RegisterToRegister, index, result);
    return Next::Advance;
}

// ORA, AND, XOR and LDA: Z follows the result, C stays.
template <typename Combine> Next logical(Cycle& cycle, Combine combine) {
    return withOperand(cycle, [&](int a, int w) {
        const int result = combine(a, w) & 0xFF;
        state::ZFlagChange(cycle.form, zeroArgument(result));
        return result;
    });
}

} // namespace

Next nop(Cycle&) {
    return Next::Advance;
}

Next sta(Cycle& cycle) {
    const int index = operand::registerIndex(cycle);
    if (!cycle.form.Reg.validIndex(index))
        return Next::Advance;
    if (const auto value = state::plainW(cycle.form);
        value && cycle.form.registers.wellFormed(index)) {
        storeRegister(cycle, index, *value);
        return Next::Advance;
    }
    // The W text itself is copied, upper-cased; a single digit gets its leading
    // "0" and an emptied W box stores 00 rather than a line without a value.
    std::string text = state::upperCase(cycle.form.W.text());
    if (text.size() < 2)
        text.insert(0, 2 - text.size(), '0');
    const std::string address(state::mid(cycle.form.Reg.line(index), 1, 4));
    storeRegisterLine(cycle, index,
                      state::registerLineFromText(address, text, state::WTrans(cycle.form)));
    return Next::Advance;
}

Next clr(Cycle& cycle) {
    if (cycle.instruction.length < 8)
        storeW(cycle, 0);
    else
        storeRegister(cycle, operand::registerIndex(cycle), 0);
    return Next::Advance;
}

Next sub(Cycle& cycle) {
    return withOperand(cycle, [&](int a, int w) {
        int carry = 1;
        if (a < w) {
            a += 256;
            carry = 0; // borrow
        }
        state::CFlagChange(cycle.form, carry);
        const int result = a - w;
        state::ZFlagChange(cycle.form, zeroArgument(result));
        return result;
    });
}

Next add(Cycle& cycle) {
    return withOperand(cycle, [&](int a, int w) {
        int sum = w + a;
        int carry = 0;
        if (sum > 255) {
            sum -= 256;
            carry = 1;
        }
        state::ZFlagChange(cycle.form, zeroArgument(sum));
        state::CFlagChange(cycle.form, carry);
        return sum;
    });
}

Next ora(Cycle& cycle) {
    return logical(cycle, [](int a, int w) { return w | a; });
}
Next andWith(Cycle& cycle) {
    return logical(cycle, [](int a, int w) { return w & a; });
}
Next xorWith(Cycle& cycle) {
    return logical(cycle, [](int a, int w) { return w ^ a; });
}
Next lda(Cycle& cycle) {
    return logical(cycle, [](int a, int) { return a; });
}

Next dec(Cycle& cycle) {
    const int index = operand::registerIndex(cycle);
    const int result = (state::readRegister(cycle.form, index) + 255) % 256;
    state::ZFlagChange(cycle.form, zeroArgument(result));
    storeResult(cycle, operand::toW(cycle), index, result);
    return Next::Advance;
}

Next inc(Cycle& cycle) {
    const int index = operand::registerIndex(cycle);
    const int result = (state::readRegister(cycle.form, index) + 1) % 256;
    state::ZFlagChange(cycle.form, zeroArgument(result));
    storeResult(cycle, operand::toW(cycle), index, result);
    return Next::Advance;
}

Next cpl(Cycle& cycle) {
    const int index = operand::registerIndex(cycle);
    storeResult(cycle, operand::toW(cycle), index, 255 - state::readRegister(cycle.form, index));
    return Next::Advance;
}

} // namespace mirel::sim
