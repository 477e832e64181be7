// Count-and-skip, rotates through carry, nibble swap and the bit instructions:
// results, destinations, flags and which line runs next.
#include "machine_fixture.h"

namespace mirel::testing {
namespace {

constexpr int S = 3, S1 = 131, S2 = 259, S3 = 387;

TEST(SkipInstructions, CountAndSkip) {
    const std::vector<InstructionCase> cases = {
        {"DEZ\t20",
         "00",
         {{0x20, 0x01}},
         "00",
         {{0x20, 0x00}, {S, 0x04}, {S1, 0x04}, {S2, 0x04}, {S3, 0x04}},
         2},
        {"DEZ\t20", "00", {{0x20, 0x00}, {S, 0x05}}, "00", {{0x20, 0xFF}, {S, 0x01}}, 1},
        {"DEZ\t20 W", "00", {{0x20, 0x05}, {S, 0x04}}, "04", {{S, 0x00}}, 1},
        {"DEZ\t20 W",
         "00",
         {{0x20, 0x01}},
         "00",
         {{S, 0x04}, {S1, 0x04}, {S2, 0x04}, {S3, 0x04}},
         2},
        {"INZ\t20",
         "00",
         {{0x20, 0xFF}, {S, 0x01}},
         "00",
         {{0x20, 0x00}, {S, 0x05}, {S1, 0x04}, {S2, 0x04}, {S3, 0x04}},
         2},
        {"INZ\t20", "00", {{0x20, 0x7F}, {S, 0x04}}, "00", {{0x20, 0x80}, {S, 0x00}}, 1},
        {"INZ\t20 W", "00", {{0x20, 0x10}}, "11", {}, 1},
        {"DEZ\t21",
         "00",
         {{S, 0x20}, {0xA1, 0x01}},
         "00",
         {{0xA1, 0x00}, {S, 0x24}, {S1, 0x04}, {S2, 0x04}, {S3, 0x04}},
         2},
        // A skip on line 4 of a ten-line program runs line 6 next.
        {"DEZ\t20",
         "00",
         {{0x20, 0x01}},
         "00",
         {{0x20, 0x00}, {S, 0x04}, {S1, 0x04}, {S2, 0x04}, {S3, 0x04}},
         6,
         4,
         10},
        // At the end of the program the last line stays selected, skip or not.
        {"INZ\t20",
         "00",
         {{0x20, 0xFF}},
         "00",
         {{0x20, 0x00}, {S, 0x04}, {S1, 0x04}, {S2, 0x04}, {S3, 0x04}},
         4,
         3,
         5},
        {"INZ\t20",
         "00",
         {{0x20, 0xFF}},
         "00",
         {{0x20, 0x00}, {S, 0x04}, {S1, 0x04}, {S2, 0x04}, {S3, 0x04}},
         4,
         4,
         5},
        {"INZ\t20", "00", {{0x20, 0x01}}, "00", {{0x20, 0x02}}, 4, 4, 5},
    };
    for (const auto& c : cases)
        expectCase(c);
}

TEST(RotateAndSwap, ThroughCarryAndNibbles) {
    const std::vector<InstructionCase> cases = {
        {"RRA\t20",
         "00",
         {{0x20, 0x01}, {S, 0x01}},
         "00",
         {{0x20, 0x80}, {S1, 0x01}, {S2, 0x01}, {S3, 0x01}}},
        // A zero result leaves Z alone.
        {"RRA\t20",
         "00",
         {{0x20, 0x01}},
         "00",
         {{0x20, 0x00}, {S, 0x01}, {S1, 0x01}, {S2, 0x01}, {S3, 0x01}}},
        {"RRA\t20",
         "00",
         {{0x20, 0xAA}, {S, 0x05}, {S1, 0x01}},
         "00",
         {{0x20, 0xD5}, {S, 0x04}, {S1, 0x00}}},
        {"RLA\t20",
         "00",
         {{0x20, 0x80}},
         "00",
         {{0x20, 0x00}, {S, 0x01}, {S1, 0x01}, {S2, 0x01}, {S3, 0x01}}},
        {"RLA\t20",
         "00",
         {{0x20, 0x80}, {S, 0x01}},
         "00",
         {{0x20, 0x01}, {S1, 0x01}, {S2, 0x01}, {S3, 0x01}}},
        {"RLA\t20 W", "00", {{0x20, 0x55}, {S, 0x01}}, "AB", {{S, 0x00}}},
        {"RRA\t20 W", "00", {{0x20, 0x02}}, "01", {}},
        // Only line 3 supplies the old carry.
        {"RLA\t20", "00", {{0x20, 0x00}, {S1, 0x01}}, "00", {{S1, 0x00}}},
        // The carry is stored before the result: rotating STATUS leaves the
        // rotated value in line 3 and the new carry in the other copies.
        {"RRA\t03", "00", {{S, 0x03}}, "00", {{S, 0x81}, {S1, 0x01}, {S2, 0x01}, {S3, 0x01}}},
        {"RLA\t03",
         "00",
         {{S, 0x84}, {S1, 0x20}},
         "00",
         {{S, 0x08}, {S1, 0x21}, {S2, 0x01}, {S3, 0x01}}},
        {"SPA\t20", "00", {{0x20, 0xA5}, {S, 0x05}}, "00", {{0x20, 0x5A}}},
        {"SPA\t20 W", "00", {{0x20, 0xA5}}, "5A", {}},
        {"SPA\t20", "00", {{S, 0x60}, {0x1A0, 0x0F}}, "00", {{0x1A0, 0xF0}}},
    };
    for (const auto& c : cases)
        expectCase(c);
}

TEST(BitInstructions, SetClearAndTest) {
    const std::vector<InstructionCase> cases = {
        // Only the addressed STATUS line takes a bank bit.
        {"SET\t03,5", "00", {}, "00", {{S, 0x20}}},
        {"SET\t20,0", "00", {{S, 0x05}}, "00", {{0x20, 0x01}}},
        {"RES\t20,7", "00", {{0x20, 0xFF}}, "00", {{0x20, 0x7F}}},
        {"RES\t20,3", "00", {{0x20, 0x08}}, "00", {{0x20, 0x00}}},
        {"SET\t20,7", "00", {{S, 0x20}}, "00", {{0xA0, 0x80}}},
        {"JBS\t03,2", "00", {{S, 0x04}}, "00", {}, 2},
        {"JBS\t03,2", "00", {}, "00", {}, 1},
        {"JBR\t03,0", "00", {}, "00", {}, 2},
        {"JBR\t03,0", "00", {{S, 0x01}}, "00", {}, 1},
        {"JBR\t20,7", "00", {{0x20, 0x7F}}, "00", {}, 2},
        {"JBS\t20,7", "00", {{S, 0x20}, {0xA0, 0x80}}, "00", {}, 2},
        {"JBS\t20,6", "00", {{0x20, 0xBF}}, "00", {}, 1},
        // A bit number above 7 names no bit: nothing changes, no skip.
        {"SET\t20,8", "00", {}, "00", {}, 1},
        {"RES\t20,F", "00", {{0x20, 0xFF}}, "00", {}, 1},
        {"JBR\t20,9", "00", {}, "00", {}, 1},
        {"JBS\t20,A", "00", {{0x20, 0xFF}}, "00", {}, 1},
    };
    for (const auto& c : cases)
        expectCase(c);
}

} // namespace
} // namespace mirel::testing
