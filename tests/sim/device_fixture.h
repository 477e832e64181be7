#pragma once

#include "machine_fixture.h"

#include "parts/model.h"

namespace mirel::testing {

// A machine under a part's rules: New with the part chosen, then program
// lines given with their addresses ("0010\tADD\t02"), the first selected.
struct Part {
    Part(parts::Model model, std::vector<std::string> lines) {
        state::NoWindowPlacement placement;
        form.chosenModel = model;
        state::NewProgram(form, placement);
        form.Code.assign(std::move(lines));
        form.Code.select(0);
    }
    int reg(int index) const { return state::readRegister(form, index); }
    void setReg(int index, int value) { state::writeRegister(form, index, value); }
    int w() const { return state::readHex(form.W.text()); }
    // The address of the selected line; -1 with none selected.
    int pcLine() const {
        const int line = form.Code.selectedIndex();
        return line < 0 ? -1 : state::readHex(form.Code.line(line).substr(0, 4));
    }
    std::vector<std::string> stack() const {
        const auto& lines = form.SPReg.lines();
        return {lines.begin() + 1, lines.end()};
    }
    void step(int times = 1) {
        for (int i = 0; i < times; ++i)
            simulator.Step_Click();
    }

    state::MainForm form;
    RecordingMessages messages;
    sim::Simulator simulator{form, messages};
};

// Program lines from instructions at consecutive addresses from `first`.
inline std::vector<std::string> at(int first, const std::vector<std::string>& instructions) {
    std::vector<std::string> lines;
    for (const std::string& instruction : instructions)
        lines.push_back(state::hex4(first++) + "\t" + instruction);
    return lines;
}
inline std::vector<std::string> operator+(std::vector<std::string> a,
                                          const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace mirel::testing
