// The instruction reference against the simulator itself: every form of the
// table, run over many operand and flag values through the real cycle,
// changes exactly the flags it claims and takes the cycles it claims.
#include "machine_fixture.h"

#include "asm/disassembler.h"
#include "asm/instruction_table.h"
#include "state/flags.h"

#include <random>

namespace mirel::testing {
namespace {

using assembler::InstructionForm;
using assembler::OperandKind;

class CycleRecorder final : public sim::StepListener {
public:
    void stepStarting() override { cycles = -1; }
    void stepFinished(int stepCycles) override { cycles = stepCycles; }
    int cycles = -1;
};

std::string describe(const InstructionForm& form) {
    return std::string(form.mnemonic) + " operand kind " +
           std::to_string(static_cast<int>(form.operand));
}

TEST(InstructionReference, FlagsAndCyclesAgreeWithExecution) {
    constexpr int at = 3, lines = 8;
    std::mt19937 rng(15);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    // Edge values half of the time, so that every result a flag watches comes up.
    const int edges[] = {0x00, 0x01, 0x0F, 0x10, 0x7F, 0x80, 0xFE, 0xFF};
    const auto value = [&] { return pick(2) == 0 ? edges[pick(8)] : pick(256); };

    for (const InstructionForm& form : assembler::instructionSet()) {
        SCOPED_TRACE(describe(form));
        const assembler::Behaviour& claim = form.behaviour;
        bool zChanged = false, cChanged = false, skipped = false;
        for (int run = 0; run < 400; ++run) {
            // General-purpose registers only: no flag moves through a STATUS store.
            const int reg = 0x20 + pick(0x60);
            int operand = reg;
            switch (form.operand) {
            case OperandKind::Address:
                operand = pick(lines);
                break;
            case OperandKind::Literal:
                operand = value();
                break;
            case OperandKind::Port:
                operand = 5 + pick(3);
                break;
            default:
                break;
            }
            const auto word = assembler::assemble(form, operand, pick(8));
            ASSERT_TRUE(word);
            const std::string text = assembler::GetOpcodeName(state::hex4(*word));
            SCOPED_TRACE(text);

            std::vector<std::string> program(lines, "NOP");
            program[at] = text;
            Machine m(program, at);
            m.form.SPReg.append("1"); // a caller for the returns
            m.form.W.setText(state::hex2(value()));
            m.setReg(reg, value());
            const int flags = pick(2) * state::zMask + pick(2) * state::cMask;
            for (int copy : state::statusCopies)
                m.setReg(copy, flags);
            const bool z = state::zeroFlag(m.form), c = state::carryFlag(m.form);
            CycleRecorder recorder;
            m.simulator.setStepListener(&recorder);

            m.step();

            zChanged |= state::zeroFlag(m.form) != z;
            cChanged |= state::carryFlag(m.form) != c;
            EXPECT_TRUE(m.messages.shown.empty());
            if (claim.cycles == 0) {
                EXPECT_EQ(recorder.cycles, 0);
                EXPECT_EQ(m.selected(), at); // the program stops here
            } else if (claim.cycles == 1) {
                const bool skip = m.selected() == at + 2;
                EXPECT_TRUE(skip || m.selected() == at + 1);
                EXPECT_TRUE(claim.skips || !skip);
                skipped |= skip;
                EXPECT_EQ(recorder.cycles, claim.cycles + (skip ? 1 : 0));
            } else {
                EXPECT_EQ(recorder.cycles, claim.cycles);
            }
        }
        EXPECT_EQ(zChanged, claim.changesZ);
        EXPECT_EQ(cChanged, claim.changesC);
        EXPECT_EQ(skipped, claim.skips);
    }
}

} // namespace
} // namespace mirel::testing
