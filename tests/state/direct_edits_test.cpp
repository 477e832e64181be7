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

TEST_F(EntryLine, EnterReplacesTheSelectedLineInTheMiddle) {
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
    EXPECT_EQ(form.Code.count(), 6) << "a new address line is appended after every Enter";
    EXPECT_EQ(form.Code.line(5), "0005   ");
}

TEST_F(EntryLine, ShortEntriesAndOtherKeysWriteNothing) {
    type("0003 NO");
    form.Counter.setEditText("0000NOP");
    Counter_KeyPress(form, 'A');
    ASSERT_EQ(form.Code.count(), 1);
    EXPECT_EQ(form.Code.line(0), "0000\t");
}

TEST_F(EntryLine, EnterAndMirelDoNothingWithoutAProgram) {
    MainForm empty;
    empty.Counter.setEditText("0000NOP");
    Counter_KeyPress(empty, enterKey);
    Mirel_Click(empty);
    EXPECT_EQ(empty.Code.count(), 0);
    EXPECT_EQ(empty.Counter.entryCount(), 0);
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
