// Small programs from tests/programs, opened as text files and stepped to their end.
#include "machine_fixture.h"

#include "files/open_program.h"

namespace mirel::testing {
namespace {

struct Opened {
    explicit Opened(const std::string& name) {
        state::NoWindowPlacement placement;
        const auto result = files::openProgram(form, placement, files::ProgramKind::Text,
                                               std::string(MIRELSIM_PROGRAMS_DIR) + "/" + name);
        EXPECT_TRUE(result.opened) << result.error;
    }
    int reg(int index) const { return state::readRegister(form, index); }

    state::MainForm form;
    RecordingMessages messages;
    sim::Simulator simulator{form, messages};
};

TEST(WholePrograms, RunToTheirEnd) {
    struct Case {
        std::string file;
        int steps;
        std::string w;
        Registers registers; // STATUS at 3
        int finalLine;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        // 6 x 7 by adding 6 seven times; DEZ ends the loop with Z set.
        {"multiply.txt", 40, "06", {{0x20, 0x06}, {0x21, 0x00}, {0x22, 0x2A}, {3, 0x04}}, 9, {}},
        // Five passes of a DEZ loop, counted with INC.
        {"countdown.txt", 40, "05", {{0x30, 0x00}, {0x31, 0x05}, {3, 0x00}}, 7, {}},
        // A routine that calls itself until it is nine calls deep.
        {"nested_calls.txt", 60, "00", {{0x20, 0x09}, {3, 0x04}}, 2, {"Out of SP Limit."}},
        // Counts the ones of B5 by testing bit 0 and rotating eight times
        // through carry: the nine-bit ring ends one place to the left.
        {"bit_count.txt", 80, "05", {{0x40, 0x6A}, {0x41, 0x00}, {0x42, 0x05}, {3, 0x01}}, 11, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Opened p(c.file);
        for (int i = 0; i < c.steps; ++i)
            p.simulator.Step_Click();
        EXPECT_EQ(p.form.W.text(), c.w);
        for (auto [index, value] : c.registers)
            EXPECT_EQ(p.reg(index), value) << "register " << state::hex4(index);
        EXPECT_EQ(p.form.Code.selectedIndex(), c.finalLine);
        EXPECT_EQ(p.form.SPReg.lines(), std::vector<std::string>{"SP"});
        EXPECT_EQ(p.messages.texts(), c.messages);
    }
}

// Nine calls deep and back: the returns come back through every calling line
// in reverse order, the ninth call reported once.
TEST(WholePrograms, NineNestedCallsReturnThroughEveryCaller) {
    Opened p("nested_calls.txt");
    std::size_t deepest = 0;
    std::vector<int> returnedTo;
    for (int i = 0; i < 60; ++i) {
        const bool atReturn = p.form.Code.selectedIndex() == 8;
        p.simulator.Step_Click();
        deepest = std::max(deepest, p.form.SPReg.lines().size());
        if (atReturn)
            returnedTo.push_back(p.form.Code.selectedIndex());
        if (p.form.SPReg.count() == 10) {
            EXPECT_EQ(p.form.SPReg.lines(), (std::vector<std::string>{"SP", "1", "7", "7", "7", "7",
                                                                      "7", "7", "7", "7"}));
        }
    }
    EXPECT_EQ(deepest, 10u);
    EXPECT_EQ(returnedTo, (std::vector<int>{8, 8, 8, 8, 8, 8, 8, 8, 2}));
    EXPECT_EQ(p.messages.texts(), std::vector<std::string>{"Out of SP Limit."});
}

} // namespace
} // namespace mirel::testing
