#include "state/direct_edits.h"
#include "state/program_counter.h"
#include "state/window_load.h"

#include <gtest/gtest.h>

namespace mirel::state {
namespace {

class EntryLine : public ::testing::Test {
protected:
    EntryLine() { NewProgram(form, placement); }
    void type(const std::string& text) {
        form.Counter.setEditText(text);
        Counter_KeyPress(form, enterKey);
    }
    std::vector<std::string> counterEntries() const {
        std::vector<std::string> out;
        for (int i = 0; i < form.Counter.entryCount(); ++i)
            out.push_back(form.Counter.entry(i));
        return out;
    }
    NoWindowPlacement placement;
    MainForm form;
};

TEST_F(EntryLine, NewLeavesOneAddressLineReadyForTyping) {
    ASSERT_EQ(form.Code.count(), 1);
    EXPECT_EQ(form.Code.line(0), "0000\t");
    EXPECT_EQ(counterEntries(), std::vector<std::string>{"0000     "});
    EXPECT_EQ(form.Counter.editText(), "0000     ");
    EXPECT_EQ(form.Counter.caret(), 9);
}

TEST_F(EntryLine, EnterWritesTheEntryAndOpensTheNextAddress) {
    type(form.Counter.editText() + "nop");
    ASSERT_EQ(form.Code.count(), 2);
    EXPECT_EQ(form.Code.line(0), "0000\tNOP\t");
    EXPECT_EQ(form.Code.line(1), "0001   ");
    EXPECT_EQ(form.Code.selectedIndex(), 1);
    EXPECT_EQ(form.Counter.editText(), "0001   ");
    EXPECT_EQ(form.Counter.caret(), 7);

    type("0001 sub 20 w");
    type("0002 ADD 3F H");
    EXPECT_EQ(form.Code.line(1), "0001\tSUB\t20W");
    EXPECT_EQ(form.Code.line(2), "0002\tADD\t3FH");
    EXPECT_EQ(form.Code.line(3), "0003   ");
}

TEST_F(EntryLine, EnterInTheMiddleWritesTheLineAndMovesToTheNext) {
    for (const char* e : {"0000NOP", "0001NOP", "0002NOP"})
        type(e);
    ASSERT_EQ(form.Code.count(), 4);
    form.Code.select(3);
    type("0003 STA 0C");
    EXPECT_EQ(form.Code.line(3), "0003\tSTA\t0C");
    EXPECT_EQ(form.Code.line(4), "0004   ");

    form.Code.select(1);
    EXPECT_EQ(form.Counter.editText(), "0001     NOP     ");
    type("0001 CLR");
    EXPECT_EQ(form.Code.line(1), "0001\tCLR\t");
    EXPECT_EQ(form.Code.count(), 5) << "nothing is appended below a middle line";
    EXPECT_EQ(form.Code.selectedIndex(), 2);
    EXPECT_EQ(form.Counter.editText(), "0002     NOP     ");
    // Without its address the instruction goes in at the selected line's.
    type("inc 20");
    EXPECT_EQ(form.Code.line(2), "0002\tINC\t20");
    type("add 21 w"); // starts with four hex digits, yet names no address
    EXPECT_EQ(form.Code.line(3), "0003\tADD\t21W");
    type("RTS"); // the final line: a fresh one follows
    EXPECT_EQ(form.Code.line(4), "0004\tRTS\t");
    EXPECT_EQ(form.Code.line(5), "0005   ");
    EXPECT_EQ(form.Code.selectedIndex(), 5);
}

// What a paste puts into the entry line goes in as if typed line by line;
// no control character ever reaches a program line.
TEST_F(EntryLine, PastedTextGoesInLineByLine) {
    const struct {
        std::string pasted;
        std::vector<std::string> lines; // the program afterwards
    } cases[] = {
        {"0000 NOP\n0001 INC 20\r\n0002 JMP 0001",
         {"0000\tNOP\t", "0001\tINC\t20", "0002\tJMP\t0001", "0003   "}},
        {"\n\n0000 NOP\r\r\n", {"0000\tNOP\t", "0001   "}},
        {"0000\tLDA\t05 H", {"0000\tLDA\t05H", "0001   "}},
        {std::string("0000 N\0OP\x01\x7F", 12), {"0000\tNOP\t", "0001   "}},
        {"0000 NOP\f0001 CLR\v0002 RTS", {"0000\tNOP\t", "0001\tCLR\t", "0002\tRTS\t", "0003   "}},
        {"0000 LDA \xE9\xFF H", {"0000\tLDA\t\xE9\xFFH", "0001   "}},
        {"0000 NOP" + std::string(292, 'X'), {"0000\tNOP\t" + std::string(292, 'X'), "0001   "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pasted);
        NewProgram(form, placement);
        type(c.pasted);
        EXPECT_EQ(form.Code.lines(), c.lines);
    }
}
TEST_F(EntryLine, ShortEntriesAndOtherKeysWriteNothing) {
    type("0003 NO");
    form.Counter.setEditText("0000NOP");
    Counter_KeyPress(form, 'A');
    ASSERT_EQ(form.Code.count(), 1);
    EXPECT_EQ(form.Code.line(0), "0000\t");
}

TEST_F(EntryLine, TheFirstEnterWithoutAProgramMakesOne) {
    MainForm empty;
    Mirel_Click(empty);
    EXPECT_EQ(empty.Code.count(), 0);
    empty.Counter.setEditText("NOP");
    Counter_KeyPress(empty, enterKey);
    EXPECT_EQ(empty.Code.lines(), (std::vector<std::string>{"0000\tNOP\t", "0001   "}));
    EXPECT_TRUE(empty.StartKey.enabled());

    MainForm blank;
    Counter_KeyPress(blank, enterKey);
    EXPECT_EQ(blank.Code.lines(), std::vector<std::string>{"0000\t"});
}

TEST_F(EntryLine, MirelTakesBackTheFinalLineButNeverTheOnlyOne) {
    type("0000 NOP");
    type("0001 STA 0C");
    ASSERT_EQ(form.Code.count(), 3);
    Mirel_Click(form);
    ASSERT_EQ(form.Code.count(), 2);
    EXPECT_EQ(form.Code.selectedIndex(), 1);
    EXPECT_EQ(form.Counter.editText(), "0001     STA     0C");
    Mirel_Click(form);
    Mirel_Click(form);
    ASSERT_EQ(form.Code.count(), 1);
    EXPECT_EQ(form.Code.line(0), "0000\tNOP\t");
    EXPECT_EQ(form.Code.selectedIndex(), 0);
}

TEST_F(EntryLine, CounterShowsTheProgramFromTheSelectedLineOn) {
    for (const char* e : {"0000NOP", "0001STA0C", "0002CLR"})
        type(e);
    form.Code.select(1);
    EXPECT_EQ(counterEntries(),
              (std::vector<std::string>{"0001     STA     0C", "0002     CLR     ", "0003   "}));
    EXPECT_EQ(form.Counter.selectedEntry(), 0);
    ReLoadCode(form, 1);
    EXPECT_EQ(form.Counter.editText(), "0002     CLR     ");
    ReLoadCode(form, 3);
    EXPECT_EQ(form.Code.selectedIndex(), 3);
    ReLoadCode(form, 7);
    EXPECT_EQ(form.Code.selectedIndex(), 3) << "the advance never goes beyond the list";
}

} // namespace
} // namespace mirel::state
