// A part's program counter and register file: PCL and PCLATH, pages, the
// eight-level stack, erased memory, banks, mirrors and power-on values.
#include "device_fixture.h"

#include "asm/export_walk.h"
#include "files/open_program.h"
#include "parts/register_notes.h"

namespace mirel::testing {
namespace {

using parts::Model;

TEST(DeviceRules, ProgramCounterAndStack) {
    struct Case {
        std::string what;
        Model model;
        std::vector<std::string> lines;
        int steps;
        int w;
        int pc; // the next address, whether a line carries it or not
        std::vector<std::string> stack;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {"a table read by adding W to PCL, behind an org gap",
         Model::F84A,
         at(0, {"LDA\t02 H", "JSR\t0010", "STA\t20"}) +
             at(0x10, {"ADD\t02", "RET\t41 H", "RET\t42 H", "RET\t43 H"}),
         4,
         0x43,
         0x0002,
         {},
         {}},
        {"a write to PCL takes PCLATH as the upper bits",
         Model::F628A,
         at(0, {"LDA\t01 H", "STA\t0A", "LDA\t05 H", "STA\t02"}),
         4,
         0x05,
         0x0105,
         {},
         {}},
        {"unprogrammed memory runs the erased word ADD FF H",
         Model::F628A,
         at(0, {"LDA\t01 H", "STA\t0A", "LDA\t05 H", "STA\t02"}),
         6,
         0x03,
         0x0107,
         {},
         {}},
        {"JMP takes its page from PCLATH bits 4 and 3",
         Model::F877A,
         at(0, {"LDA\t18 H", "STA\t0A", "JMP\t0003"}),
         3,
         0x18,
         0x1803,
         {},
         {}},
        {"JSR pushes the next address",
         Model::F877A,
         at(0, {"JSR\t0002", "NOP", "JSR\t0004", "NOP", "NOP"}),
         2,
         0x00,
         0x0004,
         {"0001", "0003"},
         {}},
        {"a ninth call overwrites the oldest return address",
         Model::F84A,
         at(0, {"JSR\t0002", "JMP\t0001", "JSR\t0004", "RTS", "JSR\t0006", "RTS", "JSR\t0008",
                "RTS", "JSR\t000A", "RTS", "JSR\t000C", "RTS", "JSR\t000E", "RTS", "JSR\t0010",
                "RTS", "JSR\t0012", "RTS", "RTS"}),
         9,
         0x00,
         0x0012,
         {"0003", "0005", "0007", "0009", "000B", "000D", "000F", "0011"},
         {"Out of SP Limit."}},
        {"eight returns empty it, and the ninth takes the slot that was overwritten",
         Model::F84A,
         at(0, {"JSR\t0002", "JMP\t0001", "JSR\t0004", "RTS", "JSR\t0006", "RTS", "JSR\t0008",
                "RTS", "JSR\t000A", "RTS", "JSR\t000C", "RTS", "JSR\t000E", "RTS", "JSR\t0010",
                "RTS", "JSR\t0012", "RTS", "RTS"}),
         18,
         0x00,
         0x0011,
         {},
         {"Out of SP Limit.", " RTS wihtout JSR."}},
        {"RTI returns and sets GIE",
         Model::F84A,
         at(0, {"JSR\t0002", "NOP", "RTI"}),
         2,
         0x00,
         0x0001,
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Part part(c.model, c.lines);
        part.step(c.steps);
        EXPECT_EQ(part.w(), c.w);
        const auto lineless = part.simulator.deviceMachine()->pcWithoutLine();
        EXPECT_EQ(lineless ? *lineless : part.pcLine(), c.pc);
        // PCL reads the low byte of the program counter, in every bank.
        for (int copy : {0x02, 0x82, 0x102, 0x182})
            EXPECT_EQ(part.reg(copy), c.pc & 0xFF);
        EXPECT_EQ(part.stack(), c.stack);
        EXPECT_EQ(part.messages.texts(), c.messages);
    }
    Part rti(Model::F84A, at(0, {"JSR\t0002", "NOP", "RTI"}));
    rti.step(2);
    EXPECT_EQ(rti.reg(0x0B), 0x80);
}

// After power-on, a write through each bank lands on every line that shows
// the same register, and where the part has none the line stays 00.
TEST(DeviceRules, BanksMirrorsAndPowerOn) {
    struct Case {
        std::string what;
        Model model;
        std::vector<std::string> program;
        std::vector<std::pair<int, int>> registers; // Reg index, value after
    };
    const std::vector<Case> cases = {
        {"power-on values of the 16F84A",
         Model::F84A,
         {"NOP"},
         {{0x03, 0x18},
          {0x83, 0x18},
          {0x81, 0xFF},
          {0x85, 0x1F},
          {0x86, 0xFF},
          {0x0B, 0x00},
          {0x181, 0xFF},
          {0x200, 0x00}}},
        {"power-on values of the 16F877A",
         Model::F877A,
         {"NOP"},
         {{0x183, 0x18},
          {0x81, 0xFF},
          {0x181, 0xFF},
          {0x85, 0x3F},
          {0x86, 0xFF},
          {0x186, 0xFF},
          {0x87, 0xFF},
          {0x9C, 0x07},
          {0x92, 0xFF}}},
        {"bank 1's general registers are bank 0's on the 16F84A",
         Model::F84A,
         {"LDA\t5A H", "SET\t03,5", "STA\t0C", "STA\t50"},
         {{0x0C, 0x5A}, {0x8C, 0x5A}, {0x10C, 0x5A}, {0x18C, 0x5A}, {0x50, 0x00}, {0xD0, 0x00}}},
        {"70-7F are shared by every bank of the 16F628A",
         Model::F628A,
         {"LDA\t77 H", "STA\t75", "STA\t20"},
         {{0x75, 0x77}, {0xF5, 0x77}, {0x175, 0x77}, {0x1F5, 0x77}, {0x20, 0x77}, {0xA0, 0x00}}},
        {"unimplemented locations read 00 and keep nothing",
         Model::F628A,
         {"LDA\tFF H", "STA\t07", "LDA\t07 W"},
         {{0x07, 0x00}, {0x03, 0x1C}}},
        {"unimplemented bits read 0",
         Model::F84A,
         {"LDA\tFF H", "STA\t0A", "LDA\tE0 H", "SET\t03,5", "STA\t05"},
         {{0x0A, 0x1F}, {0x8A, 0x1F}, {0x85, 0x00}}},
        {"TMR0 and OPTION through banks 2 and 3",
         Model::F877A,
         {"LDA\t60 H", "STA\t03", "LDA\t42 H", "STA\t01", "RES\t03,5", "STA\t01"},
         {{0x81, 0x42}, {0x181, 0x42}, {0x01, 0x42}, {0x101, 0x42}, {0x03, 0x58}}},
        {"INDF through FSR, with IRP for banks 2 and 3",
         Model::F877A,
         {"LDA\t20 H", "STA\t04", "LDA\t99 H", "STA\t00", "SET\t03,7", "STA\t00", "INC\t00 W"},
         {{0x20, 0x99}, {0x120, 0x99}, {0x00, 0x99}, {0x180, 0x99}}},
        {"OPTION and TRIS write W into OPTION and TRISA/TRISB",
         Model::F628A,
         {"LDA\t07 H", "OPTION", "TRIS\t5", "LDA\t0F H", "TRIS\t6"},
         {{0x81, 0x07}, {0x181, 0x07}, {0x85, 0x07}, {0x86, 0x0F}, {0x186, 0x0F}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Part part(c.model, at(0, c.program));
        part.step(static_cast<int>(c.program.size()));
        for (auto [index, value] : c.registers)
            EXPECT_EQ(part.reg(index), value) << std::hex << index;
    }
}

// A part starts at address 0000 after Open: the line carrying it, or no line
// at all, where the erased word runs.
TEST(DeviceRules, OpenStartsAtAddressZero) {
    state::MainForm form;
    form.chosenModel = Model::F628A;
    state::NoWindowPlacement placement;
    files::loadProgram(form, placement, {"0005\tLDA\t01 H", "0000\tJMP\t0005"});
    EXPECT_EQ(form.Code.selectedIndex(), 1);
    files::loadProgram(form, placement, {"0005\tNOP", "End"});
    EXPECT_EQ(form.Code.selectedIndex(), -1);
    RecordingMessages messages;
    sim::Simulator simulator(form, messages);
    simulator.Step_Click();
    EXPECT_EQ(form.W.text(), "FF");
    EXPECT_EQ(simulator.deviceMachine()->pcWithoutLine(), 1);
    form.chosenModel = Model::Teaching;
    files::loadProgram(form, placement, {"0005\tNOP"});
    EXPECT_EQ(form.Code.selectedIndex(), 0);
}

// Under a part's rules Save writes each word at the address its line
// carries, so that a program with gaps opens again as it was.
TEST(DeviceRules, HexFilesKeepEveryWordAtItsAddress) {
    const std::vector<std::string> program = {"0000\tJMP\t0005", "0004\tRTI", "0005\tNOP",
                                              "0006\tJMP\t0006", "0002\tNOP", "0020\tRET\t41 H"};
    state::MainForm form;
    form.chosenModel = Model::F877A;
    state::NoWindowPlacement placement;
    files::loadProgram(form, placement, program);
    ASSERT_TRUE(assembler::AsmProgram(form).ok());
    // 0000: JMP; 0002: NOP; 0004-0006: RTI, NOP, JMP; 0020: RET, at byte addresses twice theirs.
    EXPECT_EQ(form.Text1.text(), ":020000000528D1\r\n"
                                 ":020004000000FA\r\n"
                                 ":06000800090000000628BB\r\n"
                                 ":02004000413449\r\n");
    std::string error;
    auto reopened = files::decodeProgram(files::ProgramKind::Hex, form.Text1.text(), "p", error);
    ASSERT_TRUE(reopened) << error;
    EXPECT_EQ(*reopened,
              (std::vector<std::string>{"0000\tJMP\t0005", "0002\tNOP", "0004\tRTI", "0005\tNOP",
                                        "0006\tJMP\t0006", "0020\tRET\t41 H"}));
}

// The register list's tips under a part's rules.
TEST(DeviceRules, RegisterNotes) {
    EXPECT_EQ(parts::registerNote(Model::Teaching, 0x81), "");
    EXPECT_EQ(parts::registerNote(Model::F84A, 0x81),
              "16F84A: OPTION_REG (INTEDG, T0CS, PSA and the prescaler rate; the OPTION "
              "instruction writes it)");
    EXPECT_EQ(parts::registerNote(Model::F84A, 0x05), "16F84A: PORTA");
    EXPECT_EQ(parts::registerNote(Model::F84A, 0x8C), "16F84A: general purpose, as at 000C");
    EXPECT_EQ(parts::registerNote(Model::F84A, 0x50), "16F84A: no register, reads 00");
    EXPECT_EQ(parts::registerNote(Model::F628A, 0x183),
              "16F628A: STATUS (one register; Z, DC and C as the data sheet gives them, TO and "
              "PD read only), as at 0003");
    EXPECT_EQ(parts::registerNote(Model::F877A, 0x1F5), "16F877A: general purpose, as at 0075");
    EXPECT_EQ(parts::registerNote(Model::F877A, 0x200), "16F877A: beyond the banks, not used");
}

} // namespace
} // namespace mirel::testing
