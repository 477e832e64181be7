#pragma once

#include "asm/instruction_table.h"
#include "sim/instruction.h"
#include "sim/simulator.h"
#include "state/hex_text.h"
#include "state/main_form.h"
#include "state/program_counter.h"
#include "state/register_file.h"
#include "state/w_register.h"
#include "step_explanation.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// The working values of a step being foreseen, shared by the explanation and
// the rules of the instruction families.
namespace mirel::debug::foresee {

// The register file as the step sees it: the form's values with the step's
// writes laid over them.
class Registers {
public:
    explicit Registers(const state::MainForm& form) : form_(form) {}
    int read(int index) const {
        const auto it = writes_.find(index);
        return it != writes_.end() ? it->second : state::readRegister(form_, index);
    }
    void write(int index, int value) {
        if (form_.Reg.validIndex(index))
            writes_[index] = value & 0xFF;
    }
    std::vector<RegisterChange> changes() const {
        std::vector<RegisterChange> out;
        for (const auto& [index, value] : writes_)
            if (value != state::readRegister(form_, index))
                out.push_back({index, value});
        return out;
    }

private:
    const state::MainForm& form_;
    std::map<int, int> writes_;
};

// The working values of the one step being foreseen.
struct Work {
    Work(const state::MainForm& f, sim::Simulator& s)
        : form(f), simulator(s), regs(f), current(state::currentIndex(f)),
          indirectTarget(state::indirectTarget(f)), selected(f.Code.selectedIndex()) {}

    const state::MainForm& form;
    sim::Simulator& simulator; // finds a jump's line as the Step does
    Registers regs;
    sim::Instruction instruction;
    int current = 0;        // the instruction's line; a skip adds 1
    int indirectTarget = 0; // the register INDF stands for during the step
    bool indfWritten = false;
    bool transfer = false; // a jump, call or return chose the next line itself
    int selected = -1;
    std::optional<std::string> w;
    std::optional<bool> zero;
    std::optional<bool> carry;
    std::optional<std::vector<std::string>> stack;
    std::vector<std::string> messages;

    int wValue() const { return state::WData(form); }
    int status() const { return regs.read(state::STATUS); }

    void store(int index, int value) {
        if (index == state::INDF)
            indfWritten = true;
        regs.write(index, value);
    }
    void storeW(int value) { w = state::hex2(value); }
    void storeResult(bool toW, int index, int value) {
        if (toW)
            storeW(value);
        else
            store(index, value);
    }
    // Every STATUS copy changes from its own value, as the flag operations do.
    void setFlag(int mask, bool on) {
        for (int index : state::statusCopies) {
            const int v = regs.read(index);
            regs.write(index, on ? v | mask : v & ~mask);
        }
    }
    void setZero(int result) {
        zero = result == 0;
        setFlag(state::zMask, *zero);
    }
    void setCarry(bool on) {
        carry = on;
        setFlag(state::cMask, on);
    }
    std::vector<std::string>& stackLines() {
        if (!stack)
            stack = form.SPReg.lines();
        return *stack;
    }
};

// Runs the rule of `operation` on the work, as the simulator's rule would on
// the machine, and answers what it does in words.
std::string runRule(Work& work, assembler::Operation operation);

} // namespace mirel::debug::foresee
