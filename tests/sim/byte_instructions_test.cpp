// Whole-byte instructions: results, destinations, flags in all four STATUS
// copies, banks and the operand forms that execute as no operation.
#include "machine_fixture.h"

namespace mirel::testing {
namespace {

// STATUS copies; Z is 04 and C is 01.
constexpr int S = 3, S1 = 131, S2 = 259, S3 = 387;

Registers status(int value) {
    return {{S, value}, {S1, value}, {S2, value}, {S3, value}};
}
Registers with(Registers a, const Registers& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(ByteInstructions, ResultsFlagsAndDestinations) {
    const std::vector<InstructionCase> cases = {
        // SUB: f - W, C = no borrow; register forms by length and character 10.
        {"SUB\t20", "20", {{0x20, 0x10}}, "20", {{0x20, 0xF0}}},
        {"SUB\t20", "33", {{0x20, 0x33}}, "33", with({{0x20, 0x00}}, status(0x05))},
        {"SUB\t20 W", "01", {{0x20, 0x09}}, "08", status(0x01)},
        {"SUB\t05 H", "06", status(0x05), "FF", status(0x00)},
        {"SUB\t06 H", "06", {}, "00", status(0x05)},
        // ADD: W + a, Z on the stored 8-bit result.
        {"ADD\t01 H", "FF", {}, "00", status(0x05)},
        {"ADD\t80 H", "80", {}, "00", status(0x05)},
        {"ADD\t01 H", "01", status(0x05), "02", status(0x00)},
        {"ADD\t21", "F0", {{0x21, 0x20}}, "F0", with({{0x21, 0x10}}, status(0x01))},
        {"ADD\t21 W", "0F", {{0x21, 0x20}}, "2F", {}},
        // ORA, AND, XOR: Z only.
        {"ORA\t20", "0F", {{0x20, 0xF0}, {S, 0x05}}, "0F", {{0x20, 0xFF}, {S, 0x01}}},
        {"ORA\t00 H", "00", {}, "00", status(0x04)},
        {"AND\t0F W", "0F", {{0x0F, 0xF0}}, "00", status(0x04)},
        {"AND\t3C H", "F0", {{S, 0x01}}, "30", {}},
        {"XOR\t20 H", "FF", {}, "DF", {}},
        {"XOR\t22",
         "5A",
         {{0x22, 0x5A}, {S, 0x01}},
         "5A",
         {{0x22, 0x00}, {S, 0x05}, {S1, 0x04}, {S2, 0x04}, {S3, 0x04}}},
        // LDA: a unchanged, Z from it; the register-to-register form only sets Z.
        {"LDA\t00 H", "77", {}, "00", status(0x04)},
        {"LDA\t3F H", "00", status(0x04), "3F", status(0x00)},
        {"LDA\t20 W", "00", {{0x20, 0x81}}, "81", {}},
        {"LDA\t20", "00", {{0x20, 0x00}}, "00", status(0x04)},
        // DEC and INC: Z only, C never.
        {"DEC\t20", "00", {{0x20, 0x00}, {S, 0x05}}, "00", {{0x20, 0xFF}, {S, 0x01}}},
        {"DEC\t20", "00", {{0x20, 0x01}}, "00", with({{0x20, 0x00}}, status(0x04))},
        {"DEC\t20 W", "00", {{0x20, 0x05}}, "04", {}},
        {"INC\t20",
         "00",
         {{0x20, 0xFF}, {S, 0x01}},
         "00",
         {{0x20, 0x00}, {S, 0x05}, {S1, 0x04}, {S2, 0x04}, {S3, 0x04}}},
        {"INC\t20 W", "00", {{0x20, 0x7F}}, "80", {}},
        // CPL and CLR leave the flags alone.
        {"CPL\t20", "00", status(0x05), "00", {{0x20, 0xFF}}},
        {"CPL\t20 W", "00", {{0x20, 0x5A}}, "A5", {}},
        {"CLR", "5A", status(0x05), "00", {}},
        {"CLR\t20", "5A", with({{0x20, 0x99}}, status(0x05)), "5A", {{0x20, 0x00}}},
        // STA copies the W text; no flags.
        {"STA\t20", "C3", status(0x05), "C3", {{0x20, 0xC3}}},
        {"STA\t20", "a", {}, "a", {{0x20, 0x0A}}},
        {"STA\t20", "", {{0x20, 0x77}}, "", {{0x20, 0x00}}},
        // NOP, SLP, WDT: nothing but the advance.
        {"NOP", "12", status(0x05), "12", {}},
        {"SLP", "12", {}, "12", {}},
        {"WDT", "12", {}, "12", {}},
        // Operand forms that name nothing execute as no operation.
        {"SUB\t20 X", "01", {{0x20, 0x09}}, "01", {}},
        {"ADD\t2", "01", {{0x02, 0x09}}, "01", {}},
        {"LDA\t20 WX", "00", {{0x20, 0x33}}, "33", {}},
        // Flags first, then the result: a result into STATUS leaves the copies
        // with the flag change and line 3 with the result.
        {"ORA\t03", "00", {}, "00", {{S1, 0x04}, {S2, 0x04}, {S3, 0x04}}},
        {"INC\t03", "00", {{S, 0xFF}}, "00", {{S, 0x00}, {S1, 0x04}, {S2, 0x04}, {S3, 0x04}}},
    };
    for (const auto& c : cases)
        expectCase(c);
}

// The bank bits of STATUS choose the register page; the shared registers and
// the folded OPTION register ignore them.
TEST(ByteInstructions, BanksChooseTheRegisterPage) {
    const std::vector<InstructionCase> cases = {
        {"STA\t20", "44", {{S, 0x20}}, "44", {{0xA0, 0x44}}},
        {"STA\t03", "44", {{S, 0x20}}, "44", {{S, 0x44}}},
        {"INC\t0C", "00", {{S, 0x40}, {0x10C, 0x01}}, "00", {{0x10C, 0x02}}},
        {"INC\t0C",
         "00",
         {{S, 0x60}, {0x18C, 0xFF}},
         "00",
         {{0x18C, 0x00}, {S, 0x64}, {S1, 0x04}, {S2, 0x04}, {S3, 0x04}}},
        {"INC\t0A", "00", {{S, 0x60}}, "00", {{0x0A, 0x01}}},
        {"CLR\t01", "00", {{S, 0x60}, {0x81, 0x33}}, "00", {{0x81, 0x00}}},
        {"LDA\t7F W", "00", {{S, 0x60}, {0x1FF, 0x2B}}, "2B", {}},
        {"DEC\t7F", "00", {{S, 0x60}, {0x1FF, 0x10}}, "00", {{0x1FF, 0x0F}}},
        // A hand-typed operand beyond the register file reads 0; the write is dropped.
        {"DEC\tFF", "00", {{S, 0x64}}, "00", {{S, 0x60}}},
        {"STA\tFF", "12", {{S, 0x60}}, "12", {}},
    };
    for (const auto& c : cases)
        expectCase(c);
}

// Register 00 stands for FSR plus the bank offset for the whole instruction;
// the mirror line keeps the target's value afterwards.
TEST(ByteInstructions, RegisterZeroReachesTheIndirectTarget) {
    const std::vector<InstructionCase> cases = {
        {"INC\t00", "00", {{4, 0x20}, {0x20, 0x41}}, "00", {{0x20, 0x42}, {0, 0x42}}},
        {"LDA\t00 W", "00", {{4, 0x20}, {S, 0x20}, {0xA0, 0x66}}, "66", {{0, 0x66}}},
        {"STA\t00", "9C", {{4, 0x30}, {S, 0x40}}, "9C", {{0x130, 0x9C}, {0, 0x9C}}},
        {"ADD\t00", "01", {{4, 0x21}, {0x21, 0x01}}, "01", {{0x21, 0x02}, {0, 0x02}}},
    };
    for (const auto& c : cases)
        expectCase(c);
}

} // namespace
} // namespace mirel::testing
