// The export walk: which word, address and own-source text each line gives,
// where it stops, and the lines it refuses.
#include "asm/export_walk.h"

#include <gtest/gtest.h>

namespace mirel::assembler {
namespace {

struct Walked {
    ExportResult result;
    std::string hex;
    std::string source;
};

Walked walk(const std::vector<std::string>& code) {
    state::MainForm form;
    form.Code.assign(code);
    form.Text1.setText("old hex");
    form.Text2.setText("old source");
    Walked w{AsmProgram(form), form.Text1.text(), form.Text2.text()};
    return w;
}

TEST(ExportWalk, WordsAddressesAndOwnSourceText) {
    auto w = walk({"0000\tLDA\t3F H", "0001\tSTA\t06", "End"});
    ASSERT_TRUE(w.result.ok()) << w.result.refusal;
    EXPECT_EQ(w.result.words, 2u);
    EXPECT_EQ(w.hex, ":040000003F30860007");
    EXPECT_EQ(w.source, "0000\t303F\tLDA   3FH\r\n0001\t0086\tSTA   06\r\n");

    // Lines without an address count from 0000; lines with one keep theirs in
    // the own-source text, while the hex words follow one another.
    w = walk({"NOP", "0005\tNOP\t", "NOP", "0009\tSLP"});
    EXPECT_EQ(w.source, "0000\t0000\tNOP   \r\n0005\t0000\tNOP   \r\n"
                        "0001\t0000\tNOP   \r\n0009\t0063\tSLP   \r\n");
    EXPECT_EQ(w.hex, ":08000000000000000000630095");

    // Nine words: one full record with its line end, then a short one without.
    w = walk(std::vector<std::string>(9, "0000\tLDA\t01 H"));
    EXPECT_EQ(w.hex, ":100000000130013001300130013001300130013068\r\n:020010000130BD");

    // A fresh program ends the walk at once.
    w = walk({"0000\t"});
    EXPECT_EQ(w.hex, "");
    EXPECT_EQ(w.source, "");

    // A loaded OPTION or TRIS saves, and the walk goes on after it.
    w = walk({"0000\tOPTION", "0001\tTRIS\t6", "0002\tNOP"});
    EXPECT_EQ(w.source, "0000\t0062\tOPT   ION\r\n0001\t0066\tTRI   S6\r\n0002\t0000\tNOP   \r\n");
}

TEST(ExportWalk, RefusesALineThatGivesNoWordAndKeepsTheOldTexts) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"0000\tNOP\t", "0001\tSUB\t2X W"}, "Line 0001 cannot be assembled: SUB 2X W"},
        {{"0000\tSUB\t2"}, "Line 0000 cannot be assembled: SUB 2"},
        {{"0000\tRET\t5"}, "Line 0000 cannot be assembled: RET 5"},
        {{"0003\tSET\t05"}, "Line 0003 cannot be assembled: SET 05"},
        {{"0003\tJBS\t05,x"}, "Line 0003 cannot be assembled: JBS 05,x"},
        {{"NOP", "SUB20X"}, "Line 0001 cannot be assembled: SUB20X"},
        {{"0007\tTRIS\t4"}, "Line 0007 cannot be assembled: TRIS 4"},
        // A line with no mnemonic, anywhere but among the empty lines at the end.
        {{"0000\tMOV 06", "0001\tLDA\t01 H", "0002\tSTA\t06"},
         "Line 0000 cannot be assembled: MOV 06"},
        {{"0000\tNOP", "0001\tNone", "0002\tNOP"}, "Line 0001 cannot be assembled: None"},
        {{"0000\tNOP", "0001\tNone"}, "Line 0001 cannot be assembled: None"},
        {{"0000\tNOP", "0001\tNPO", "0002\t"}, "Line 0001 cannot be assembled: NPO"},
        {{"0000\tNOP", "0001\t", "0002\tNOP"}, "Line 0001 cannot be assembled: no instruction"},
        {{"NOP", "MOV06", "0002\t"}, "Line 0001 cannot be assembled: MOV06"},
    };
    for (const auto& [code, message] : cases) {
        const Walked w = walk(code);
        EXPECT_EQ(w.result.refusal, message);
        EXPECT_EQ(w.hex, "old hex");
        EXPECT_EQ(w.source, "old source");
    }
}

// The walk ends without a word at the end mark, and where nothing but empty
// lines, address lines and end marks follow.
TEST(ExportWalk, EndsQuietlyOnlyWhereNoProgramFollows) {
    const std::pair<std::vector<std::string>, std::size_t> cases[] = {
        {{"0000\tNOP", "0001\t"}, 1},
        {{"0000\tNOP", "0001\t", "", "End", "0004\t"}, 1},
        {{"0000\tNOP", "End", "0002\tMOV 06", "0003\tNOP"}, 1},
        {{"0000\tNOP", "0001\tEND", "0002\tNone"}, 1},
        {{"0000\tNOP", "0001\tNOP"}, 2},
    };
    for (const auto& [code, words] : cases) {
        const Walked w = walk(code);
        EXPECT_TRUE(w.result.ok()) << w.result.refusal;
        EXPECT_EQ(w.result.words, words) << code[1];
    }
}

} // namespace
} // namespace mirel::assembler
