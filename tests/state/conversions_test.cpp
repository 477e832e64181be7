#include "state/bit_text.h"
#include "state/hex_text.h"
#include "state/main_form.h"
#include "state/program_text.h"
#include "state/w_register.h"

#include <gtest/gtest.h>

namespace mirel::state {
namespace {

TEST(HexReading, TakesLeadingDigitsWithSixteenAndThirtyTwoBitRanges) {
    const struct {
        const char* text;
        int value;
    } rows[] = {
        {"", 0},          {"ZZ", 0},       {"0C", 12},   {"a5", 165},      {"A5   10100101", 165},
        {"1FF", 511},     {"7FFF", 32767}, {"FFFF", -1}, {"8000", -32768}, {"10000", 65536},
        {"FFFFFFFF", -1}, {"12G4", 18},    {" 12", 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(readHex(row.text), row.value) << '"' << row.text << '"';
}

TEST(HexReading, WritesPaddedUpperCase) {
    EXPECT_EQ(hex2(10), "0A");
    EXPECT_EQ(hex2(255), "FF");
    EXPECT_EQ(hex4(512), "0200");
    EXPECT_EQ(hex4(0x1C85), "1C85");
}

TEST(BitText, DecBinConvTakesWeightsOffAndLeavesTheRemainder) {
    const struct {
        int in;
        const char* bits;
        int left;
    } rows[] = {
        {0, "00000000", 0},    {255, "11111111", 0}, {165, "10100101", 0},
        {300, "11111111", 45}, {-3, "00000000", -3},
    };
    for (const auto& row : rows) {
        int value = row.in;
        EXPECT_EQ(DecBinConv(value), row.bits) << row.in;
        EXPECT_EQ(value, row.left) << row.in;
    }
}

TEST(BitText, BinDecConWeighsEveryCharacterAsItReads) {
    EXPECT_EQ(BinDecCon("10100101"), 165);
    EXPECT_EQ(BinDecCon("1"), 1);
    EXPECT_EQ(BinDecCon(""), 0);
    EXPECT_EQ(BinDecCon("0102"), 6);
    EXPECT_EQ(BinDecCon("1x1"), 5);
}

TEST(ProgramText, CompactTextAndCounterForm) {
    EXPECT_EQ(compactText("0003\tSTA\t0C"), "0003STA0C");
    EXPECT_EQ(compactText(" 0004\tsub\t20 w "), "0004SUB20W");
    EXPECT_EQ(tabsAsBlanks("0003\tSTA\t0C"), "0003     STA     0C");
    EXPECT_EQ(mid("0003STA", 8), "");
    EXPECT_EQ(mid("0003STA0C", 5, 3), "STA");
}

TEST(WRegister, BitLabelsFollowEveryChangeOfTheText) {
    MainForm form;
    const auto captions = [&form] {
        std::string s;
        for (int i = 7; i >= 0; --i)
            s += form.RW[static_cast<std::size_t>(i)].text();
        return s;
    };
    const struct {
        const char* w;
        const char* bits;
    } rows[] = {{"A5", "10100101"},  {"", "00000000"},  {"ZZ", "00000000"},
                {"1FF", "11111111"}, {"a", "00001010"}, {"FFFF", "00000000"}};
    for (const auto& row : rows) {
        form.W.setText(row.w);
        EXPECT_EQ(captions(), row.bits) << row.w;
        EXPECT_EQ(WTrans(form), row.bits) << row.w;
    }
    setW(form, 0x3F);
    EXPECT_EQ(form.W.text(), "3F");
    EXPECT_EQ(WData(form), 0x3F);
}

} // namespace
} // namespace mirel::state
