#include "workloads.h"

namespace mirel::bench {

const std::vector<std::string>& countingLoop() {
    static const std::vector<std::string> lines = {"CLR\t20", "INC\t20 F", "DEZ\t21 F", "JMP\t0001",
                                                   "JMP\t0000"};
    return lines;
}

// Register 30 counts the rounds; most programs take their operands from it,
// so that each round works on new numbers. STATUS is 03: C is bit 0, Z bit 2.
const std::vector<Workload>& workloads() {
    static const std::vector<Workload> all = {
        // 8 x 8 bits by shift and add: 20 times 21 into 24 (high) and 25 (low).
        // Round 1: 0D x A8 = 0888.
        {"multiply",
         {"INC\t30",    // 0000 next round
          "LDA\t30 W",  // 0001
          "ADD\t0C H",  // 0002
          "STA\t20",    // 0003 multiplicand: round + 0C
          "XOR\tA5 H",  // 0004
          "STA\t21",    // 0005 multiplier: multiplicand XOR A5
          "CLR\t24",    // 0006
          "CLR\t25",    // 0007
          "LDA\t08 H",  // 0008
          "STA\t22",    // 0009 eight bits
          "LDA\t20 W",  // 000A
          "RRA\t21",    // 000B next multiplier bit into C
          "JBR\t03,0",  // 000C
          "ADD\t24",    // 000D bit set: add the multiplicand to the high byte
          "RRA\t24",    // 000E the product moves right, the carry into its top
          "RRA\t25",    // 000F
          "DEZ\t22",    // 0010
          "JMP\t000B",  // 0011
          "JMP\t0000"}, // 0012
         61,
         {{0x24, 0x08}, {0x25, 0x88}}},
        // 8 / 8 bits by shift and subtract: 20 / 21 gives 22, remainder 23.
        // Round 1: C8 / 07 = 1C remainder 04.
        {"divide",
         {"INC\t30",    // 0000
          "LDA\t30 W",  // 0001
          "ADD\tC7 H",  // 0002
          "STA\t20",    // 0003 dividend: round + C7
          "LDA\t30 W",  // 0004
          "ADD\t06 H",  // 0005
          "STA\t21",    // 0006 divisor: round + 6
          "CLR\t22",    // 0007
          "CLR\t23",    // 0008
          "LDA\t08 H",  // 0009
          "STA\t24",    // 000A eight bits
          "RES\t03,0",  // 000B
          "RLA\t20",    // 000C the dividend's top bit
          "RLA\t23",    // 000D into the remainder
          "LDA\t21 W",  // 000E
          "SUB\t23 W",  // 000F remainder - divisor; C: no borrow
          "JBR\t03,0",  // 0010
          "STA\t23",    // 0011 it went: keep the difference
          "RLA\t22",    // 0012 C is the quotient bit
          "DEZ\t24",    // 0013
          "JMP\t000B",  // 0014
          "JMP\t0000"}, // 0015
         85,
         {{0x22, 0x1C}, {0x23, 0x04}}},
        // A byte to decimal digits by subtracting hundreds and tens: 22 holds
        // the hundreds, 23 the tens and ones as two BCD digits. Round 1: F3 = 243.
        {"bcd",
         {"INC\t30",    // 0000
          "LDA\t30 W",  // 0001
          "ADD\tF2 H",  // 0002
          "STA\t20",    // 0003 the byte: round + F2
          "CLR\t22",    // 0004
          "CLR\t23",    // 0005
          "LDA\t64 H",  // 0006
          "SUB\t20 W",  // 0007 byte - 100
          "JBS\t03,0",  // 0008 no borrow: take 100 off
          "JMP\t000D",  // 0009
          "STA\t20",    // 000A
          "INC\t22",    // 000B
          "JMP\t0006",  // 000C
          "LDA\t0A H",  // 000D
          "SUB\t20 W",  // 000E byte - 10
          "JBS\t03,0",  // 000F no borrow: take 10 off
          "JMP\t0014",  // 0010
          "STA\t20",    // 0011
          "INC\t23",    // 0012
          "JMP\t000D",  // 0013
          "SPA\t23 W",  // 0014 tens into the high digit
          "ORA\t20 W",  // 0015 ones into the low digit
          "STA\t23",    // 0016
          "JMP\t0000"}, // 0017
         53,
         {{0x22, 0x02}, {0x23, 0x43}}},
        // Greatest common divisor by subtracting the smaller from the larger
        // until both are equal, in 20 and 21. Round 1: C0 and 48 give 18.
        {"gcd",
         {"INC\t30",    // 0000
          "LDA\t30 W",  // 0001
          "ADD\tBF H",  // 0002
          "STA\t20",    // 0003 a: round + BF
          "JBR\t03,2",  // 0004 a is 0: no answer, next round
          "JMP\t0000",  // 0005
          "LDA\t30 W",  // 0006
          "ADD\t47 H",  // 0007
          "STA\t21",    // 0008 b: round + 47
          "JBR\t03,2",  // 0009
          "JMP\t0000",  // 000A
          "LDA\t21 W",  // 000B
          "SUB\t20 W",  // 000C a - b
          "JBR\t03,2",  // 000D
          "JMP\t0016",  // 000E equal: done
          "JBR\t03,0",  // 000F
          "JMP\t0014",  // 0010 a > b
          "LDA\t20 W",  // 0011 a < b: b = b - a
          "SUB\t21",    // 0012
          "JMP\t000B",  // 0013
          "STA\t20",    // 0014 a = a - b
          "JMP\t000B",  // 0015
          "JMP\t0000"}, // 0016
         41,
         {{0x20, 0x18}, {0x21, 0x18}}},
        // 16-bit Fibonacci numbers, wrapping: 48 terms from 0 and 1, a in
        // 20 (low) and 21, b in 22 (low) and 23. After them b is F(49) mod
        // 10000 hex, 2F21.
        {"fibonacci",
         {"CLR\t20",    // 0000
          "CLR\t21",    // 0001
          "LDA\t01 H",  // 0002
          "STA\t22",    // 0003
          "CLR\t23",    // 0004
          "LDA\t30 H",  // 0005
          "STA\t24",    // 0006 48 terms
          "LDA\t22 W",  // 0007 keep b in 25 and 26
          "STA\t25",    // 0008
          "LDA\t23 W",  // 0009
          "STA\t26",    // 000A
          "LDA\t20 W",  // 000B b = a + b
          "ADD\t22",    // 000C
          "JBR\t03,0",  // 000D
          "INC\t23",    // 000E the carry
          "LDA\t21 W",  // 000F
          "ADD\t23",    // 0010
          "LDA\t25 W",  // 0011 a = the old b
          "STA\t20",    // 0012
          "LDA\t26 W",  // 0013
          "STA\t21",    // 0014
          "DEZ\t24",    // 0015
          "JMP\t0007",  // 0016
          "JMP\t0000"}, // 0017
         745,
         {{0x22, 0x21}, {0x23, 0x2F}}},
        // The set bits of a byte that changes every round, counted into 21.
        // Round 1: B7 has six.
        {"bit count",
         {"INC\t30",    // 0000
          "LDA\t30 W",  // 0001
          "ADD\tB6 H",  // 0002
          "STA\t20",    // 0003 the byte: round + B6
          "CLR\t21",    // 0004
          "LDA\t08 H",  // 0005
          "STA\t22",    // 0006 eight bits
          "RRA\t20",    // 0007 next bit into C
          "JBR\t03,0",  // 0008
          "INC\t21",    // 0009
          "DEZ\t22",    // 000A
          "JMP\t0007",  // 000B
          "JMP\t0000"}, // 000C
         44,
         {{0x21, 0x06}}},
        // Round 1: 0A after ten turns.
        {"counting loop", countingLoop(), 1 + 10 * 3, {{0x20, 0x0A}}},
    };
    return all;
}

} // namespace mirel::bench
