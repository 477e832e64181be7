// Jumps, calls and returns: target lines by address, the return stack in
// SPReg with its two messages, and the cases without a line to go to.
#include "machine_fixture.h"

#include "sim/teaching/address_index.h"

#include <random>

namespace mirel::testing {
namespace {

// Program memory lines "AAAA<TAB>NOP" for the given addresses.
std::vector<std::string> linesAt(const std::vector<int>& addresses) {
    std::vector<std::string> lines;
    for (int a : addresses)
        lines.push_back(state::hex4(a) + "\tNOP");
    return lines;
}

std::vector<int> run(int first, int count) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(first + i);
    return out;
}

TEST(ControlTransfer, JumpAndCallFindTheirTargetLine) {
    struct Case {
        std::string name;
        std::vector<int> addresses;
        int at;
        std::string operand;
        int target;          // line selected afterwards
        std::string message; // empty: none
    };
    const std::vector<Case> cases = {
        {"by address", run(0, 10), 2, "0003", 3, ""},
        {"to its own line", run(0, 10), 4, "0004", 4, ""},
        {"backwards", run(0, 10), 7, "0001", 1, ""},
        {"address field of a later start", run(0x100, 10), 0, "0105", 5, ""},
        {"no line carries it: the address as index", run(0x100, 10), 0, "0003", 3, ""},
        {"the first of two lines with the address", {0, 7, 2, 7, 4}, 0, "0007", 1, ""},
        {"lower-case operand", run(0x1A0, 4), 0, "01a2", 2, ""},
        {"short operand", run(0, 10), 0, "5", 5, ""},
        {"no line at all", run(0x100, 10), 3, "0200", 3, "No program line at address 0200."},
        {"operand past the address field", run(0, 3), 1, "FFFF", 1,
         "No program line at address FFFF."},
    };
    for (const std::string mnemonic : {"JMP", "JSR"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(mnemonic + " " + c.name);
            Machine m({});
            auto lines = linesAt(c.addresses);
            lines[static_cast<std::size_t>(c.at)] =
                state::hex4(c.addresses[static_cast<std::size_t>(c.at)]) + "\t" + mnemonic + "\t" +
                c.operand;
            m.loadLines(lines, c.at);
            m.form.W.setText("3C");
            m.step();
            EXPECT_EQ(m.selected(), c.target);
            EXPECT_EQ(m.form.W.text(), "3C");
            std::vector<std::string> stack{"SP"};
            if (mnemonic == std::string("JSR") && c.message.empty())
                stack.push_back(std::to_string(c.at));
            EXPECT_EQ(m.stack(), stack);
            if (c.message.empty()) {
                EXPECT_TRUE(m.messages.shown.empty());
            } else {
                ASSERT_EQ(m.messages.shown.size(), 1u);
                EXPECT_EQ(m.messages.shown[0].text, c.message);
                EXPECT_EQ(m.messages.shown[0].title, "Mirelsim");
            }
        }
    }
}

TEST(ControlTransfer, CallsAndReturnsUseTheStack) {
    struct Case {
        std::string name;
        std::vector<std::string> program;
        int at;
        std::vector<std::string> stackBefore; // entries below the heading
        int target;
        std::vector<std::string> stackAfter;
        std::string wAfter;
        std::vector<std::string> messages;
    };
    const std::vector<std::string> ten = {"NOP", "NOP", "NOP", "NOP", "NOP",
                                          "NOP", "NOP", "NOP", "NOP", "NOP"};
    auto with = [&](int line, std::string instruction) {
        auto p = ten;
        p[static_cast<std::size_t>(line)] = std::move(instruction);
        return p;
    };
    const std::vector<Case> cases = {
        {"JSR pushes its own line", with(5, "JSR\t0008"), 5, {}, 8, {"5"}, "11", {}},
        {"RTS returns after the call", with(8, "RTS"), 8, {"5"}, 6, {}, "11", {}},
        {"RTI is RTS", with(8, "RTI"), 8, {"2", "5"}, 6, {"2"}, "11", {}},
        {"RET loads W and returns", with(7, "RET\t3F H"), 7, {"2"}, 3, {}, "3F", {}},
        {"RET without the literal mark", with(7, "RET\tA0"), 7, {"2"}, 3, {}, "A0", {}},
        {"the ninth entry is reported and kept",
         with(0, "JSR\t0004"),
         0,
         {"1", "1", "1", "1", "1", "1", "1", "1"},
         4,
         {"1", "1", "1", "1", "1", "1", "1", "1", "0"},
         "11",
         {"Out of SP Limit."}},
        {"the eighth entry is not",
         with(0, "JSR\t0004"),
         0,
         {"1", "1", "1", "1", "1", "1", "1"},
         4,
         {"1", "1", "1", "1", "1", "1", "1", "0"},
         "11",
         {}},
        {"each call beyond the limit is reported",
         with(3, "JSR\t0004"),
         3,
         {"1", "1", "1", "1", "1", "1", "1", "1", "1"},
         4,
         {"1", "1", "1", "1", "1", "1", "1", "1", "1", "3"},
         "11",
         {"Out of SP Limit."}},
        {"RTS on an empty stack goes to line 1",
         with(6, "RTS"),
         6,
         {},
         1,
         {},
         "11",
         {" RTS wihtout JSR."}},
        {"RET on an empty stack has set W",
         with(6, "RET\t07 H"),
         6,
         {},
         1,
         {},
         "07",
         {" RTS wihtout JSR."}},
        {"return past the end of the program",
         with(6, "RTS"),
         6,
         {"9"},
         6,
         {},
         "11",
         {"No program line to return to."}},
        {"RET past the end still sets W and pops",
         with(6, "RET\t01 H"),
         6,
         {"3", "40"},
         6,
         {"3"},
         "01",
         {"No program line to return to."}},
        {"empty stack in a one-line program",
         {"RTS"},
         0,
         {},
         0,
         {},
         "11",
         {" RTS wihtout JSR.", "No program line to return to."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Machine m(c.program, c.at);
        m.form.W.setText("11");
        for (const auto& entry : c.stackBefore)
            m.form.SPReg.append(entry);
        m.step();
        EXPECT_EQ(m.selected(), c.target);
        std::vector<std::string> stack{"SP"};
        stack.insert(stack.end(), c.stackAfter.begin(), c.stackAfter.end());
        EXPECT_EQ(m.stack(), stack);
        EXPECT_EQ(m.form.W.text(), c.wAfter);
        EXPECT_EQ(m.messages.texts(), c.messages);
        for (const auto& shown : m.messages.shown)
            EXPECT_EQ(shown.title, "Mirelsim");
    }
}

// The counter view follows a jump as it follows a click.
TEST(ControlTransfer, JumpRefreshesTheEntryLine) {
    Machine m({"NOP", "JMP\t0003", "NOP", "LDA\t05 H"}, 1);
    m.step();
    EXPECT_EQ(m.form.Counter.entryCount(), 1);
    EXPECT_EQ(m.form.Counter.editText(), "0003     LDA     05 H");
}

// Jumps must keep finding the first line with an address while the program
// is edited between Steps.
TEST(ControlTransfer, TargetsFollowEditsOfTheProgram) {
    Machine m({"JMP\t0007", "NOP", "NOP", "NOP", "NOP", "NOP", "NOP", "NOP"});
    m.step();
    EXPECT_EQ(m.selected(), 7);

    m.form.Code.replaceAt(3, "0007\tNOP");
    m.form.Code.select(0);
    m.step();
    EXPECT_EQ(m.selected(), 3);

    m.form.Code.insertAt(1, "0007\tNOP");
    m.form.Code.select(0);
    m.step();
    EXPECT_EQ(m.selected(), 1);

    m.form.Code.removeAt(1);
    m.form.Code.removeAt(3);
    m.form.Code.select(0);
    m.step();
    EXPECT_EQ(m.selected(), 6); // line 6 now carries 0007

    m.form.Code.assign({"0000\tJMP\t0007", "0001\tNOP"});
    m.form.Code.select(0);
    m.step();
    EXPECT_EQ(m.selected(), 0);
    EXPECT_EQ(m.messages.texts(), std::vector<std::string>{"No program line at address 0007."});
}

TEST(AddressIndex, AgreesWithAWalkOfTheProgramThroughEdits) {
    state::TextList code;
    sim::AddressIndex index(code);
    std::mt19937 random(7);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    auto line = [&] { return state::hex4(pick(12)) + "\tNOP"; };
    for (int round = 0; round < 400; ++round) {
        switch (pick(5)) {
        case 0:
            code.append(line());
            break;
        case 1:
            code.insertAt(pick(code.count() + 1), line());
            break;
        case 2:
            if (!code.empty())
                code.removeAt(pick(code.count()));
            break;
        case 3:
            if (!code.empty())
                code.replaceAt(pick(code.count()), line());
            break;
        default:
            if (pick(20) == 0)
                code.assign({line(), line()});
            break;
        }
        for (int address = 0; address < 13; ++address)
            ASSERT_EQ(index.firstLineWith(address), sim::firstLineWithAddress(code, address))
                << "round " << round << " address " << address;
    }
}

} // namespace
} // namespace mirel::testing
