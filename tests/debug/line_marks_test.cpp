// The warning marks and notices of lines as they are typed: what is no
// instruction, what is not what it looks like, what nothing reaches.
#include "debug/debugger.h"
#include "sim/machine_fixture.h"
#include "state/direct_edits.h"
#include "state/window_load.h"

#include <gtest/gtest.h>

namespace mirel::testing {
namespace {

struct TypingMachine : Machine {
    explicit TypingMachine(parts::Model model) : Machine({}) {
        form.chosenModel = model;
        state::NoWindowPlacement placement;
        state::NewProgram(form, placement);
        debugger.setNotice([this](const std::string& text) { told = text; });
    }
    void enter(const std::string& text) {
        told.clear();
        form.Counter.setEditText(text);
        state::Counter_KeyPress(form, state::enterKey);
    }
    debug::Debugger debugger{form, simulator, nullptr};
    std::string told;
};

TEST(LineMarks, TypedLinesAreMarkedAndToldWhereTheyAreNotWhatTheyLookLike) {
    const struct {
        parts::Model model;
        const char* typed;
        const char* told; // empty: no notice, no mark
    } cases[] = {
        {parts::Model::Teaching, "0000 INC 20", ""},
        {parts::Model::Teaching, "0000 INC PORTB",
         "Line 0000: PORTB is not a register number: write 06."},
        {parts::Model::Teaching, "0000 DEC fsr",
         "Line 0000: FSR is not a register number: write 04."},
        {parts::Model::F877A, "0000 CLR PORTD",
         "Line 0000: PORTD is not a register number: write 08."},
        {parts::Model::Teaching, "0000 CLR PORTD",
         "Line 0000: PORTD is not a register number: write the register's address in "
         "hexadecimal."},
        {parts::Model::Teaching, "0000 SET 06,8",
         "Line 0000: SET 06,8 names no bit: bits are numbered 0 to 7."},
        {parts::Model::Teaching, "0000 JBS 03,2", ""},
        {parts::Model::Teaching, "0000 LDA FF H", ""},
        {parts::Model::Teaching, "0000 MOV 06", "Line 0000: MOV 06 is not an instruction."},
        {parts::Model::Teaching, "0000 JMP 0001", ""}, // the fresh line after it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        TypingMachine m(c.model);
        m.enter(c.typed);
        EXPECT_EQ(m.told, c.told);
        EXPECT_EQ(m.debugger.notInstructions().lines(),
                  *c.told ? std::vector<int>{0} : std::vector<int>{});
    }
}

TEST(LineMarks, MarksThatDependOnOtherLinesFollowThem) {
    TypingMachine m(parts::Model::Teaching);
    // A jump forward is marked, not told, until its line is typed.
    m.enter("0000 JMP 0003");
    EXPECT_EQ(m.told, "");
    EXPECT_EQ(m.debugger.notInstructions().lines(), std::vector<int>{0});
    m.enter("0001 NOP");
    m.enter("0002 NOP");
    m.enter("0003 JMP 0003"); // now the first jump reaches a line
    EXPECT_TRUE(m.debugger.notInstructions().lines().empty());
    // An address alone before instructions is a gap the program stops at.
    m.form.Code.select(2);
    m.form.Code.replaceAt(2, "0002   ");
    EXPECT_EQ(m.debugger.notInstructions().lines(), std::vector<int>{2});
    // At the end it is only the fresh line to type into.
    EXPECT_EQ(m.form.Code.line(4), "0004   ");
    m.form.Code.select(2);
    m.enter("0002 NOP");
    EXPECT_TRUE(m.debugger.notInstructions().lines().empty());
}

} // namespace
} // namespace mirel::testing
