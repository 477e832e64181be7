// The next step explained: the words for each family, and the foreseen
// changes against what the Step then really does.
#include "debug/debugger.h"
#include "debug/step_explanation.h"
#include "random_program.h"
#include "sim/device_fixture.h"
#include "sim/machine_fixture.h"
#include "state/flags.h"
#include "state/program_text.h"

#include <iostream>
#include <random>
#include <set>

namespace mirel::testing {
namespace {

struct Snapshot {
    std::vector<int> registers;
    std::vector<std::string> regLines;
    std::string w;
    int selected = -1;
    std::vector<std::string> stack;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const state::MainForm& f) {
    Snapshot s;
    for (int i = 0; i < f.Reg.count(); ++i)
        s.registers.push_back(state::readRegister(f, i));
    s.regLines = f.Reg.lines();
    s.w = f.W.text();
    s.selected = f.Code.selectedIndex();
    s.stack = f.SPReg.lines();
    return s;
}

struct ExplainedMachine : Machine {
    explicit ExplainedMachine(const std::vector<std::string>& program, int selected = 0)
        : Machine(program, selected) {}
    debug::Debugger debugger{form, simulator, nullptr};
};

TEST(StepExplanation, SaysWhatEachFamilyDoesWithTodaysValues) {
    struct Case {
        std::vector<std::string> program;
        int at;
        std::string w;
        std::vector<std::pair<int, int>> regs;
        std::string text;
    };
    const Case cases[] = {
        {{"ADD\t20 W"}, 0, "05", {{0x20, 3}}, "ADD 20 W: W = 05 + [0020] 03 = 08, Z = 0, C = 0"},
        {{"ADD\t20"}, 0, "FF", {{0x20, 1}}, "ADD 20: [0020] = W FF + [0020] 01 = 00, Z = 1, C = 1"},
        {{"SUB\t08 H"}, 0, "09", {}, "SUB 08 H: W = 08 - 09 = FF, Z = 0, C = 0"},
        {{"LDA\t3F H"}, 0, "00", {}, "LDA 3F H: W = 3F, Z = 0"},
        {{"XOR\t21 W"}, 0, "0F", {{0x21, 0xFF}}, "XOR 21 W: W = 0F XOR [0021] FF = F0, Z = 0"},
        {{"STA\t06"}, 0, "5A", {}, "STA 06: [0006] = W 5A"},
        {{"STA\t06"}, 0, "5A", {{3, 0x20}}, "STA 06: [0086] = W 5A"},
        {{"CLR"}, 0, "5A", {}, "CLR: W = 00"},
        {{"CPL\t00 W"},
         0,
         "00",
         {{4, 0x30}, {0x30, 0x0F}},
         "CPL 00 W: W = NOT INDF [0030] 0F = F0"},
        {{"DEZ\t20", "NOP", "NOP"},
         0,
         "00",
         {{0x20, 1}},
         "DEZ 20: [0020] = [0020] 01 - 1 = 00, Z = 1, skips 0001"},
        {{"INZ\t20 W", "NOP"},
         0,
         "00",
         {{0x20, 7}},
         "INZ 20 W: W = [0020] 07 + 1 = 08, Z = 0, no skip"},
        {{"RRA\t20"},
         0,
         "00",
         {{0x20, 1}, {3, 1}},
         "RRA 20: [0020] = [0020] 01 rotated right through C 1 = 80, C = 1"},
        {{"SPA\t20 W"},
         0,
         "00",
         {{0x20, 0xA5}},
         "SPA 20 W: W = [0020] A5 with its halves swapped = 5A"},
        {{"SET\t03,5"}, 0, "00", {{3, 0x18}}, "SET 03,5: [0003] = [0003] 18 with bit 5 set = 38"},
        {{"SET\t20,9"}, 0, "00", {}, "SET 20,9: names no bit 0 to 7: nothing changes"},
        {{"NOP", "NOP", "NOP", "NOP", "NOP", "JBS\t03,2", "NOP", "NOP"},
         5,
         "00",
         {{3, 4}},
         "JBS 03,2: Z is 1, skips 0006"},
        {{"JBR\t20,3", "NOP"}, 0, "00", {{0x20, 8}}, "JBR 20,3: [0020] bit 3 is 1, no skip"},
        {{"JMP\t0002", "NOP", "NOP"}, 0, "00", {}, "JMP 0002: jumps to 0002"},
        {{"JMP\t0100", "NOP"}, 0, "00", {}, "JMP 0100: No program line at address 0100."},
        {{"NOP", "JSR\t0000"}, 1, "00", {}, "JSR 0000: pushes 1, jumps to 0000"},
        {{"RTS", "NOP"}, 0, "00", {}, "RTS: the stack is empty, returns to 0001"},
        {{"RET\t3F H", "NOP"},
         0,
         "00",
         {},
         "RET 3F H: W = 3F, the stack is empty, returns to 0001"},
        {{"NOP", "WDT", "NOP"}, 1, "00", {}, "WDT: does nothing"},
        {{"NOP", "TRIS\t6"}, 1, "00", {}, "TRIS 6: not executed, a Step stays on this line"},
        {{"NOP", "", "NOP"}, 1, "00", {}, "Line 0001 holds no instruction."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> program = c.program;
        program.push_back("NOP"); // the last line runs again: that is said only there
        Machine m(program, c.at);
        m.form.W.setText(c.w);
        for (auto [index, value] : c.regs)
            m.setReg(index, value);
        EXPECT_EQ(debug::explainStep(m.form, m.simulator).text, c.text);
    }
    // At the end of the program a line runs again, and a skip stops at the last line.
    Machine end({"NOP", "JBS\t03,2", "INC\t20"}, 1);
    end.setReg(3, 4);
    EXPECT_EQ(debug::explainStep(end.form, end.simulator).text,
              "JBS 03,2: Z is 1, skips past the end: next is 0002");
    end.form.Code.select(2);
    EXPECT_EQ(debug::explainStep(end.form, end.simulator).text,
              "INC 20: [0020] = [0020] 00 + 1 = 01, Z = 0, stays on the last line");
    // The stack: a return to the line after its call, a call beyond eight entries.
    Machine calls({"JSR\t0000", "NOP", "NOP", "NOP", "RTS"}, 4);
    calls.form.SPReg.append("2");
    EXPECT_EQ(debug::explainStep(calls.form, calls.simulator).text, "RTS: pops 2, returns to 0003");
    for (int i = 0; i < 7; ++i)
        calls.form.SPReg.append("0");
    calls.form.Code.select(0);
    EXPECT_EQ(debug::explainStep(calls.form, calls.simulator).text,
              "JSR 0000: pushes 0 (Out of SP Limit.), jumps to 0000");
}

// Programs over every family and the odd forms the assembler and a hand
// edit allow, at random states, including a line without address, a deep
// stack, ticked inputs, odd W texts and hand-typed register lines.
std::vector<std::string> randomLines(std::mt19937& rng, int lines) {
    const char* byteOps[] = {"STA", "CLR", "SUB", "DEC", "ORA", "AND", "XOR", "ADD",
                             "LDA", "CPL", "INC", "DEZ", "RRA", "RLA", "SPA", "INZ"};
    const char* regs[] = {"00", "02", "03", "04", "05", "06", "0A", "20", "21", "7F", "FF", "3"};
    const char* tails[] = {"", " W", " H", " X", "W", "h", " WW"};
    const char* bitOps[] = {"RES", "SET", "JBR", "JBS"};
    const char* plain[] = {"NOP",     "WDT", "SLP", "RTS",     "RTI", "OPTION",
                           "TRIS\t6", "End", "",    "XYZ\t12", "CLR"};
    auto number = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    auto pick = [&](auto& items) {
        return std::string(items[number(static_cast<int>(std::size(items)))]);
    };
    const int base = number(3) == 0 ? 0x100 : 0;
    std::vector<std::string> program;
    for (int i = 0; i < lines; ++i) {
        std::string text;
        switch (number(11)) {
        case 9: {
            // Typed by hand: a mnemonic and any operand characters, blanks and tabs.
            const char alphabet[] = "0123456789ABCDEFWHwh, \t";
            text = pick(byteOps);
            for (int n = number(9); n > 0; --n)
                text += alphabet[number(static_cast<int>(sizeof alphabet) - 1)];
            break;
        }
        case 0:
            text = pick(bitOps) + "\t" + pick(regs) + "," + state::toHex(number(16), 1);
            break;
        case 1:
            text = (number(2) ? "JMP\t" : "JSR\t") +
                   state::hex4(number(4) == 0 ? number(0x800) : base + number(lines + 2));
            break;
        case 2:
            text = pick(plain);
            break;
        case 10:
            text = "RET\t" + state::hex2(number(256)) + " H";
            break;
        case 3:
            text = number(2) ? "SET\t03," + std::to_string(5 + number(2))
                             : "RES\t03," + std::to_string(5 + number(2));
            break;
        case 4:
            text = pick(byteOps) + "\t" + state::hex2(number(256)) + pick(tails);
            break;
        default:
            text = pick(byteOps) + "\t" + pick(regs) + pick(tails);
        }
        if (number(20) == 0)
            program.push_back(text); // no address: the cycle reads it from character 5 all the same
        else
            program.push_back(state::hex4(base + i) + "\t" +
                              (number(10) == 0 ? state::upperCase(text) : text));
    }
    return program;
}

void randomState(std::mt19937& rng, ExplainedMachine& m) {
    auto number = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    m.setReg(state::FSR, number(3) == 0 ? number(256) : 0x20 + number(4));
    m.setReg(state::STATUS, number(256));
    for (int r : {0x05, 0x06, 0x20, 0x21, 0x22, 0x23, 0x7F, 0x85, 0x86, 0xA0, 0x120, 0x1A0})
        m.setReg(r, number(256));
    for (std::size_t i = 0; i < 8; ++i) {
        m.form.InA[i].setValue(number(3) == 0 ? 1 : 0);
        m.form.InB[i].setValue(number(3) == 0 ? 1 : 0);
    }
    const char* wTexts[] = {"5", "zz", "123", "a5", "", "FFFF"};
    m.form.W.setText(number(6) == 0 ? std::string(wTexts[number(6)]) : state::hex2(number(256)));
    if (number(8) == 0)
        state::replaceRegisterLine(m.form, 0x20 + number(4), number(2) ? "0020\tZZ   junk" : "002");
    for (int depth = number(11); depth > 0; --depth)
        m.form.SPReg.append(std::to_string(number(50)));
}

TEST(StepExplanation, ForeseesExactlyWhatTheStepChanges) {
    constexpr unsigned seeds = 60; // 2000 (80,000 steps) passed once as a longer soak
    int compared = 0;
    std::set<std::string> executed; // mnemonics, so that every family is seen to take part
    for (unsigned seed = 1; seed <= seeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        ExplainedMachine m({"NOP"});
        m.loadLines(randomLines(rng, 30), static_cast<int>(rng() % 31) - 1);
        randomState(rng, m);
        for (int i = 0; i < 40; ++i) {
            const Snapshot before = snapshot(m.form);
            const debug::StepExplanation explained = debug::explainStep(m.form, m.simulator);
            const debug::StepPrediction& p = explained.prediction;
            ASSERT_EQ(snapshot(m.form), before) << "explaining changed the machine";
            const std::size_t shown = m.messages.shown.size();
            const long long cycles = m.debugger.count().cycles;

            m.step();

            SCOPED_TRACE(explained.text);
            std::vector<int> expected = before.registers;
            for (const auto& change : p.registers)
                expected[static_cast<std::size_t>(change.index)] = change.value;
            ASSERT_EQ(snapshot(m.form).registers, expected);
            ASSERT_EQ(m.form.W.text(), p.w.value_or(before.w));
            ASSERT_EQ(m.selected(), p.selected);
            ASSERT_EQ(m.stack(), p.stack.value_or(before.stack));
            const std::vector<std::string> texts = m.messages.texts();
            ASSERT_EQ(std::vector<std::string>(texts.begin() + static_cast<std::ptrdiff_t>(shown),
                                               texts.end()),
                      p.messages);
            ASSERT_EQ(m.debugger.count().cycles - cycles, p.cycles);
            ASSERT_EQ(p.executes, p.cycles > 0);
            if (p.zero) {
                ASSERT_EQ(state::zeroFlag(m.form), *p.zero);
            }
            if (p.carry) {
                ASSERT_EQ(state::carryFlag(m.form), *p.carry);
            }
            ++compared;
            if (p.executes)
                executed.insert(explained.text.substr(0, 3));
            else // a line that executes nothing holds the program: go on elsewhere, as a click does
                m.form.Code.select(
                    static_cast<int>(rng() % static_cast<unsigned>(m.form.Code.count())));
            if (i % 10 == 9)
                randomState(rng, m);
        }
    }
    std::cout << "steps foreseen and compared: " << compared << '\n';
    EXPECT_EQ(compared, static_cast<int>(seeds) * 40);
    EXPECT_EQ(executed.size(), 28u); // NOP to WDT; OPTION and TRIS never execute
}

// Under a part the words follow the part's own step: its flags, Timer0,
// port B's flags, an interrupt taken, SLP and the erased word.
TEST(StepExplanation, SaysWhatAPartsStepDoesWithItsValues) {
    struct Case {
        device::Model model;
        std::vector<std::string> lines; // the first is selected
        int w;
        std::vector<std::pair<int, int>> regs;
        int steps; // taken before the explanation
        std::string text;
    };
    const device::Model f84 = device::Model::F84A;
    const Case cases[] = {
        {f84,
         at(0, {"ADD\t20 W"}),
         0x0F,
         {{0x20, 0x01}},
         0,
         "ADD 20 W: W = 0F + [0020] 01 = 10, Z = 0, DC = 1, C = 0"},
        {f84,
         at(0, {"SUB\t06"}),
         0x01,
         {{0x06, 0x01}},
         0,
         "SUB 06: PORTB = PORTB 01 - W 01 = 00, Z = 1, DC = 1, C = 1"},
        {f84,
         at(0, {"DEZ\t20 W", "NOP", "NOP"}),
         0,
         {{0x20, 0x01}},
         0,
         "DEZ 20 W: W = [0020] 01 - 1 = 00, skips 0001"},
        {f84, at(0, {"CLR\t00"}), 0, {{0x04, 0x21}}, 0, "CLR 00: INDF [0021] = 00, Z = 1"},
        {f84,
         at(0, {"LDA\t10 H", "STA\t02"}) + at(0x10, {"NOP"}),
         0,
         {},
         1,
         "STA 02: PCL = W 10, jumps to 0010"},
        {f84, at(0, {"JBS\t03,2", "NOP"}), 0, {}, 0, "JBS 03,2: STATUS bit 2 is 0, no skip"},
        {f84,
         at(0, {"JSR\t0005"}),
         0,
         {},
         0,
         "JSR 0005: pushes 0001, jumps to 0005 (no line: the erased word)"},
        {f84,
         at(0, {"SLP"}),
         0,
         {},
         0,
         "SLP: sleeps, TO = 1, PD = 0: the clock stands until an enabled interrupt flag wakes "
         "the part"},
        {f84,
         at(0, {"SLP", "NOP"}),
         0,
         {},
         1,
         "Asleep: the clock stands until an enabled interrupt flag wakes the part"},
        {f84,
         at(0, {"JMP\t0005"}),
         0x05,
         {},
         1,
         "0005 erased word 3FFF (ADD FF H): W = 05 + FF = 04, Z = 0, DC = 1, C = 1"},
        // Timer0 on the instruction clock, T0IE and GIE set: the rollover
        // is taken as an interrupt at once.
        {f84,
         at(0, {"NOP", "NOP"}) + at(4, {"RTI"}),
         0,
         {{0x81, 0x08}, {0x01, 0xFF}, {0x0B, 0xA0}},
         0,
         "NOP: does nothing, TMR0 rolls over to 02: T0IF = 1; then the interrupt: pushes 0001, "
         "GIE = 0, jumps to 0004"},
        {f84, at(0, {"RTS"}), 0, {}, 0, "RTS: pops 0000 (RTS wihtout JSR.), returns to 0000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Part part(c.model, c.lines);
        part.form.W.setText(state::hex2(c.w));
        for (auto [index, value] : c.regs)
            part.setReg(index, value);
        part.step(c.steps);
        EXPECT_EQ(debug::explainStep(part.form, part.simulator).text, c.text);
    }
}

// Under every part, what the explanation foresees is what the Step then does.
TEST(StepExplanation, ForeseesExactlyWhatAPartsStepChanges) {
    int compared = 0;
    for (device::Model model : {device::Model::F84A, device::Model::F628A, device::Model::F877A}) {
        for (unsigned seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE("seed " + std::to_string(seed));
            std::mt19937 rng(seed);
            Part part(model, at(0, randomProgram(rng, 24, true)));
            for (int i = 0; i < 60; ++i) {
                if (i % 15 == 0) {
                    part.setReg(0x0B,
                                static_cast<int>(rng() % 256)); // INTCON: interrupts on and off
                    part.setReg(0x01, 0xF0 + static_cast<int>(rng() % 16));
                    for (std::size_t b = 0; b < 8; ++b)
                        part.form.InB[b].setValue(static_cast<int>(rng() % 2));
                }
                const Snapshot before = snapshot(part.form);
                const debug::StepExplanation explained =
                    debug::explainStep(part.form, part.simulator);
                const debug::StepPrediction& p = explained.prediction;
                ASSERT_EQ(snapshot(part.form), before) << "explaining changed the machine";
                const std::size_t shown = part.messages.shown.size();
                part.step();
                SCOPED_TRACE(explained.text);
                std::vector<int> expected = before.registers;
                for (const auto& change : p.registers)
                    expected[static_cast<std::size_t>(change.index)] = change.value;
                ASSERT_EQ(snapshot(part.form).registers, expected);
                ASSERT_EQ(part.form.W.text(), p.w.value_or(before.w));
                ASSERT_EQ(part.form.Code.selectedIndex(), p.selected);
                ASSERT_EQ(part.form.SPReg.lines(), p.stack.value_or(before.stack));
                const std::vector<std::string> texts = part.messages.texts();
                ASSERT_EQ(std::vector<std::string>(
                              texts.begin() + static_cast<std::ptrdiff_t>(shown), texts.end()),
                          p.messages);
                ++compared;
                if (part.simulator.sleeping() && rng() % 4 == 0)
                    part.form.InB[0].setValue(1 - part.form.InB[0].value()); // an edge may wake it
            }
        }
    }
    EXPECT_EQ(compared, 3 * 20 * 60);
}

} // namespace
} // namespace mirel::testing
