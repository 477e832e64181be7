#pragma once

#include "sim/simulator.h"
#include "state/hex_text.h"
#include "state/main_form.h"
#include "state/platform.h"
#include "state/register_file.h"
#include "state/window_load.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace mirel::testing {

// Keeps every message box the simulator shows instead of showing it.
class RecordingMessages final : public state::MessageBoxService {
public:
    struct Shown {
        std::string text;
        std::string title;
        state::MessageIcon icon;
        bool offeredStop = false;
    };
    void show(const std::string& text, const std::string& title, state::MessageIcon icon) override {
        shown.push_back({text, title, icon});
        whileOpen();
    }
    state::MessageAnswer showWithStop(const std::string& text, const std::string& title,
                                      state::MessageIcon icon) override {
        shown.push_back({text, title, icon, true});
        whileOpen();
        return answer;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Shown& s : shown)
            out.push_back(s.text);
        return out;
    }
    std::vector<Shown> shown;
    state::MessageAnswer answer = state::MessageAnswer::Ok;
    std::function<void()> whileOpen = [] {}; // what happens while the box is open
};

// A main form after New holding a program, and a simulator stepping it.
struct Machine {
    // Each instruction gets its line's index as address: "SUB\t20 W" becomes "0000\tSUB\t20 W".
    explicit Machine(const std::vector<std::string>& instructions, int selected = 0) {
        load(form, instructions, selected);
    }

    // New, then the instructions as program memory.
    static void load(state::MainForm& form, const std::vector<std::string>& instructions,
                     int selected = 0) {
        state::NoWindowPlacement placement;
        state::NewProgram(form, placement);
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < instructions.size(); ++i)
            lines.push_back(state::hex4(static_cast<long long>(i)) + "\t" + instructions[i]);
        loadLines(form, std::move(lines), selected);
    }

    // Program memory lines as they are, addresses included.
    void loadLines(std::vector<std::string> lines, int selected = 0) {
        loadLines(form, std::move(lines), selected);
    }
    static void loadLines(state::MainForm& form, std::vector<std::string> lines, int selected) {
        form.Code.assign(std::move(lines));
        if (selected >= 0 && !form.Code.empty())
            form.Code.select(selected);
    }

    int reg(int index) const { return state::readRegister(form, index); }
    void setReg(int index, int value) { state::writeRegister(form, index, value); }
    int selected() const { return form.Code.selectedIndex(); }
    std::vector<std::string> stack() const { return form.SPReg.lines(); }
    void step(int times = 1) {
        for (int i = 0; i < times; ++i)
            simulator.Step_Click();
    }

    state::MainForm form;
    RecordingMessages messages;
    sim::Simulator simulator{form, messages};
};

using Registers = std::vector<std::pair<int, int>>; // (Reg index, value)

// One instruction run once from line `at` of a program of NOPs. Registers not
// listed in `after` must keep the value they had before.
struct InstructionCase {
    std::string instruction;
    std::string w;      // W text before
    Registers before;   // STATUS is index 3; its copies 131, 259 and 387
    std::string wAfter; // W text after
    Registers after;    // registers that change, with their new value
    int next = 1;       // the line selected afterwards
    int at = 0;         // the line of the instruction
    int lines = 5;      // length of the program
};

inline std::string describe(const InstructionCase& c) {
    return "'" + c.instruction + "' at line " + std::to_string(c.at) + ", W " + c.w;
}

inline void expectCase(const InstructionCase& c) {
    SCOPED_TRACE(describe(c));
    std::vector<std::string> program(static_cast<std::size_t>(c.lines), "NOP");
    program[static_cast<std::size_t>(c.at)] = c.instruction;
    Machine m(program, c.at);
    m.form.W.setText(c.w);
    for (auto [index, value] : c.before)
        m.setReg(index, value);
    std::vector<int> expected(state::registerCount);
    for (int i = 0; i < state::registerCount; ++i)
        expected[static_cast<std::size_t>(i)] = m.reg(i);
    for (auto [index, value] : c.after)
        expected[static_cast<std::size_t>(index)] = value;

    m.step();

    EXPECT_EQ(m.form.W.text(), c.wAfter);
    for (int i = 0; i < state::registerCount; ++i)
        EXPECT_EQ(m.form.Reg.line(i),
                  state::registerLine(i, expected[static_cast<std::size_t>(i)]));
    EXPECT_EQ(m.selected(), c.next);
    EXPECT_TRUE(m.messages.shown.empty());
    EXPECT_EQ(m.form.Reg.count(), state::registerCount);
}

} // namespace mirel::testing
