// A part's flags: Z, DC and C of every instruction as the data sheet gives
// them, where they differ from the teaching model's (CLR, CPL, DEZ/INZ, LDA k).
#include "device_fixture.h"

namespace mirel::testing {
namespace {

constexpr int F = 0x20; // a general register in every part
constexpr int C = 0x01, DC = 0x02, Z = 0x04;

struct FlagCase {
    std::string instruction;
    int w, f, flags; // before; flags are STATUS bits 2 to 0
    int wAfter, fAfter, flagsAfter;
    int next = 1; // the address executed next: 2 after a skip
};

TEST(DeviceRules, FlagsOfEveryByteInstruction) {
    const std::vector<FlagCase> cases = {
        // ADD: C and DC are the carries out of bits 7 and 3.
        {"ADD\t20", 0x0F, 0x01, 0, 0x0F, 0x10, DC},
        {"ADD\t20", 0x80, 0x80, DC, 0x80, 0x00, Z | C},
        {"ADD\t20 W", 0xFF, 0x01, 0, 0x00, 0x01, Z | DC | C},
        {"ADD\t16 H", 0x3A, 0x00, C, 0x50, 0x00, DC},
        // SUB: f - W and k - W; C and DC mean no borrow.
        {"SUB\t20", 0x02, 0x03, 0, 0x02, 0x01, DC | C},
        {"SUB\t20", 0x02, 0x02, 0, 0x02, 0x00, Z | DC | C},
        {"SUB\t20", 0x02, 0x01, Z | DC | C, 0x02, 0xFF, 0},
        {"SUB\t20 W", 0x01, 0x10, 0, 0x0F, 0x10, C},
        {"SUB\t02 H", 0x01, 0x00, 0, 0x01, 0x00, DC | C},
        {"SUB\t00 H", 0x01, 0x00, Z | DC | C, 0xFF, 0x00, 0},
        // Logic and moves set Z alone.
        {"ORA\t20", 0x0F, 0xF0, C | DC | Z, 0x0F, 0xFF, C | DC},
        {"ORA\t00 H", 0x00, 0x00, C, 0x00, 0x00, C | Z},
        {"AND\t20 W", 0x0F, 0xF0, DC, 0x00, 0xF0, DC | Z},
        {"XOR\t20", 0x5A, 0x5A, 0, 0x5A, 0x00, Z},
        {"XOR\t20 H", 0xFF, 0x00, Z, 0xDF, 0x00, 0},
        {"LDA\t20", 0x00, 0x00, C, 0x00, 0x00, C | Z},
        {"LDA\t20 W", 0x00, 0x81, Z, 0x81, 0x81, 0},
        // LDA k sets no flag, unlike the teaching model's.
        {"LDA\t00 H", 0x77, 0x00, 0, 0x00, 0x00, 0},
        {"LDA\t3F H", 0x00, 0x00, Z, 0x3F, 0x00, Z},
        {"RET\t00 H", 0x77, 0x00, 0, 0x00, 0x00, 0, 0x0011},
        // CLR and CPL set Z on the part.
        {"CLR\t20", 0x11, 0x55, C, 0x11, 0x00, C | Z},
        {"CLR", 0x11, 0x55, 0, 0x00, 0x55, Z},
        {"CPL\t20", 0x00, 0xFF, 0, 0x00, 0x00, Z},
        {"CPL\t20 W", 0x00, 0x0F, Z, 0xF0, 0x0F, 0},
        // DEC and INC: Z only.
        {"DEC\t20", 0x00, 0x01, C | DC, 0x00, 0x00, C | DC | Z},
        {"DEC\t20 W", 0x00, 0x00, Z | C, 0xFF, 0x00, C},
        {"INC\t20", 0x00, 0xFF, 0, 0x00, 0x00, Z},
        {"INC\t20 W", 0x00, 0x7F, Z, 0x80, 0x7F, 0},
        // DEZ and INZ skip on zero and set no flag, unlike the teaching model's.
        {"DEZ\t20", 0x00, 0x01, 0, 0x00, 0x00, 0, 2},
        {"DEZ\t20 W", 0x00, 0x05, Z, 0x04, 0x05, Z},
        {"INZ\t20", 0x00, 0xFF, C, 0x00, 0x00, C, 2},
        {"INZ\t20", 0x00, 0x7F, Z, 0x00, 0x80, Z},
        // Rotates through C, Z untouched even by a zero result.
        {"RRA\t20", 0x00, 0x01, C, 0x00, 0x80, C},
        {"RRA\t20", 0x00, 0x01, 0, 0x00, 0x00, C},
        {"RLA\t20 W", 0x00, 0x80, Z, 0x00, 0x80, Z | C},
        {"RLA\t20", 0x00, 0x41, C, 0x00, 0x83, 0},
        // No flags.
        {"SPA\t20", 0x00, 0xA5, Z, 0x00, 0x5A, Z},
        {"STA\t20", 0x00, 0x33, C, 0x00, 0x00, C},
        {"SET\t20,7", 0x00, 0x00, 0, 0x00, 0x80, 0},
        {"RES\t20,0", 0x00, 0x01, 0, 0x00, 0x00, 0},
        {"JBS\t20,0", 0x00, 0x01, 0, 0x00, 0x01, 0, 2},
        {"JBR\t20,0", 0x00, 0x01, 0, 0x00, 0x01, 0},
        // The erased word is ADD FF H.
        {"", 0x05, 0x00, 0, 0x04, 0x00, DC | C},
    };
    for (const FlagCase& c : cases) {
        SCOPED_TRACE(c.instruction);
        // A call first, so that RET has somewhere to go back to.
        auto lines = at(0x10, {"JSR\t0000", "NOP", "NOP"}) + at(0, {c.instruction, "NOP", "NOP"});
        if (c.instruction.empty())
            lines = at(0x10, {"JSR\t0000", "NOP", "NOP"}) + at(1, {"NOP", "NOP"});
        Part part(parts::Model::F628A, lines);
        part.step();
        part.form.W.setText(state::hex2(c.w));
        part.setReg(F, c.f);
        for (int copy : {0x03, 0x83, 0x103, 0x183})
            part.setReg(copy, 0x18 | c.flags);
        part.step();
        EXPECT_EQ(part.w(), c.wAfter);
        EXPECT_EQ(part.reg(F), c.fAfter);
        // STATUS alike in all four banks; TO and PD stay set.
        for (int copy : {0x03, 0x83, 0x103, 0x183})
            EXPECT_EQ(part.reg(copy), 0x18 | c.flagsAfter) << copy;
        EXPECT_EQ(part.pcLine(), c.next);
    }
}

// A result stored into STATUS by an instruction that sets flags leaves Z, DC
// and C to the instruction; TO and PD are never written.
TEST(DeviceRules, ResultsIntoStatus) {
    struct Case {
        std::string instruction;
        int w, status, statusAfter;
    };
    const std::vector<Case> cases = {
        {"CLR\t03", 0x00, 0x1B, 0x1F},   // upper bits cleared, Z set, DC and C kept
        {"STA\t03", 0x07, 0x18, 0x1F},   // no flags of its own: Z, DC and C written
        {"STA\t03", 0x20, 0x00, 0x20},   // TO and PD keep what they were
        {"ADD\t03", 0x01, 0x1A, 0x18},   // ADD's flags win over the sum's bits
        {"SET\t03,5", 0x00, 0x18, 0x38}, // bank 1, seen in every copy
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.instruction);
        Part part(parts::Model::F877A, at(0, {c.instruction, "NOP"}));
        part.form.W.setText(state::hex2(c.w));
        for (int copy : {0x03, 0x83, 0x103, 0x183})
            part.setReg(copy, c.status);
        part.step();
        for (int copy : {0x03, 0x83, 0x103, 0x183})
            EXPECT_EQ(part.reg(copy), c.statusAfter) << copy;
    }
}

} // namespace
} // namespace mirel::testing
