#include "sim/simulator.h"
#include "state/hex_text.h"
#include "state/program_counter.h"
#include "state/register_file.h"
#include "state/window_load.h"

#include <gtest/gtest.h>

namespace mirel::sim {
namespace {

struct NoMessages : state::MessageBoxService {
    void show(const std::string& text, const std::string&, state::MessageIcon) override {
        ADD_FAILURE() << "unexpected message " << text;
    }
};

class InstructionCycle : public ::testing::Test {
protected:
    void program(std::vector<std::string> instructions) {
        state::NewProgram(form, placement);
        for (std::size_t i = 0; i < instructions.size(); ++i)
            instructions[i] = state::hex4(static_cast<long long>(i)) + "\t" + instructions[i];
        form.Code.assign(std::move(instructions));
    }
    state::NoWindowPlacement placement;
    state::MainForm form;
    NoMessages messages;
    Simulator simulator{form, messages};
};

TEST_F(InstructionCycle, WithoutAProgramNothingChanges) {
    simulator.Step_Click();
    EXPECT_TRUE(form.Reg.empty());
    EXPECT_TRUE(form.Code.empty());
    EXPECT_EQ(form.Counter.entryCount(), 0);
}

TEST_F(InstructionCycle, NopsRunDownToTheLastLineAndStayThere) {
    program({"NOP\t", "NOP\t", "NOP\t"});
    std::vector<int> executed;
    for (int i = 0; i < 5; ++i) {
        executed.push_back(state::currentIndex(form));
        simulator.Step_Click();
    }
    EXPECT_EQ(executed, (std::vector<int>{0, 1, 2, 2, 2}));
    EXPECT_EQ(form.Counter.editText(), "0002     NOP     ");
}

TEST_F(InstructionCycle, UnrecognisedLinesHoldTheProgramWithoutTail) {
    for (const char* line : {"OPTION", "TRIS\t6", "End", "None", ""}) {
        program({line, "NOP\t"});
        form.Code.select(0);
        state::writeRegister(form, state::FSR, 0x20);
        state::writeRegister(form, 0x20, 0x5A);
        simulator.Step_Click();
        simulator.Step_Click();
        EXPECT_EQ(form.Code.selectedIndex(), 0) << line;
        EXPECT_EQ(state::readRegister(form, 0), 0x5A) << "only the mirror is refreshed: " << line;
    }
}

TEST_F(InstructionCycle, RightAfterNewAStepOnlyRefreshesTheMirror) {
    state::NewProgram(form, placement);
    simulator.Step_Click();
    EXPECT_EQ(form.Code.selectedIndex(), -1);
    EXPECT_EQ(form.Counter.editText(), "0000     ");
}

TEST_F(InstructionCycle, MirrorShowsTheIndirectTargetOfTheCurrentBank) {
    program({"NOP\t", "NOP\t"});
    state::writeRegister(form, state::FSR, 0x20);
    state::writeRegister(form, 0x20, 0x5A);
    state::writeRegister(form, 0xA0, 0x3C);
    simulator.Step_Click();
    EXPECT_EQ(form.Reg.line(0), "0000\t5A   01011010");
    state::writeRegister(form, state::STATUS, 0x20);
    simulator.Step_Click();
    EXPECT_EQ(form.Reg.line(0), "0000\t3C   00111100");
    // Bank 3 with FSR 90 points past the register file: the mirror reads 0.
    state::writeRegister(form, state::STATUS, 0x60);
    state::writeRegister(form, state::FSR, 0x90);
    simulator.Step_Click();
    EXPECT_EQ(form.Reg.line(0), "0000\t00   00000000");
    EXPECT_EQ(form.Reg.count(), 513);
}

TEST_F(InstructionCycle, StepFromNoSelectionRunsLineZeroAndSelectsTheNext) {
    program({"NOP\t", "NOP\t"});
    ASSERT_EQ(form.Code.selectedIndex(), -1);
    simulator.Step_Click();
    EXPECT_EQ(form.Code.selectedIndex(), 1);
    EXPECT_EQ(form.Counter.entryCount(), 1);
}

TEST_F(InstructionCycle, OnlyAWriteToRegisterZeroGoesBackToTheIndirectTarget) {
    const struct {
        const char* instruction;
        int w;
        int fsrAfter;
        int reg20;
        int reg30;
    } rows[] = {
        {"STA\t00", 0x44, 0x20, 0x44, 0x11}, // through INDF into the target
        {"INC\t00", 0x00, 0x20, 0x06, 0x11},
        {"INC\t20", 0x00, 0x20, 0x06, 0x11}, // direct write survives the stale mirror
        {"STA\t04", 0x30, 0x30, 0x05, 0x11}, // a new FSR copies nothing into the new target
        {"LDA\t00 W", 0x00, 0x20, 0x05, 0x11},
    };
    for (const auto& row : rows) {
        program({row.instruction, "NOP\t"});
        state::writeRegister(form, state::FSR, 0x20);
        state::writeRegister(form, 0x20, 0x05);
        state::writeRegister(form, 0x30, 0x11);
        form.W.setText(state::hex2(row.w));
        simulator.Step_Click();
        EXPECT_EQ(state::readRegister(form, state::FSR), row.fsrAfter) << row.instruction;
        EXPECT_EQ(state::readRegister(form, 0x20), row.reg20) << row.instruction;
        EXPECT_EQ(state::readRegister(form, 0x30), row.reg30) << row.instruction;
    }
    EXPECT_EQ(form.W.text(), "05") << "LDA 00 W reads the mirror";
}

TEST_F(InstructionCycle, WritesThroughIndfToAMissingRegisterAreDropped) {
    program({"STA\t00", "NOP\t"});
    state::writeRegister(form, state::STATUS, 0x60);
    state::writeRegister(form, state::FSR, 0xF0);
    form.W.setText("7E");
    simulator.Step_Click();
    EXPECT_EQ(form.Reg.count(), 513);
    EXPECT_EQ(state::readRegister(form, 0), 0x7E);
    EXPECT_EQ(form.Code.selectedIndex(), 1);
}

// Lines are decoded once; an edit of a line, or of the addresses a jump
// looks for, is what the next Step runs. The entry line keeps what the last
// click showed until the next click.
TEST_F(InstructionCycle, EditedLinesRunAsTheirNewText) {
    program({"INC\t20", "JMP\t0000", "NOP\t"});
    simulator.Step_Click();
    simulator.Step_Click();
    EXPECT_EQ(form.Code.selectedIndex(), 0);
    form.Code.replaceAt(0, "0000\tcpl\t20 w");
    EXPECT_EQ(form.Counter.editText(), "0000     INC     20");
    simulator.Step_Click();
    EXPECT_EQ(form.W.text(), "FE");
    form.Code.replaceAt(2, "0000\tNOP\t");
    form.Code.replaceAt(0, "0005\tNOP\t");
    simulator.Step_Click();
    EXPECT_EQ(form.Code.selectedIndex(), 2) << "the first line carrying 0000 is now line 2";
}

} // namespace
} // namespace mirel::sim
