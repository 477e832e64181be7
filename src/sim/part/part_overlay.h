#pragma once

#include "banked_registers.h"
#include "part_machine.h"
#include "part_state.h"
#include "state/main_form.h"
#include "state/register_file.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace mirel::sim::part {

// The machine of part_step.h laid over copies of what a step touches: the
// register lines, W, the stack and the part's hidden state. It runs the
// very rules a Step runs and leaves the form and the part's machine as they
// are, so that the next step can be foreseen and told in words.
class PartOverlay : public BankedRegisters<PartOverlay> {
public:
    PartOverlay(const state::MainForm& form, const PartMachine& machine);

    // The step, as PartMachine::step takes it: its cycles, 0 while the
    // part sleeps on; `woke` as partStep gives it.
    int step(bool& woke);

    // What part_step.h asks of a machine.
    int value(int home) const { return lines_[static_cast<std::size_t>(home)]; }
    void store(int home, int value);
    int w() const { return w_; }
    void setW(int value) {
        w_ = value & 0xFF;
        wWritten_ = true;
    }
    void push(int address);
    int pop();
    int currentPc() const { return startPc_; }
    int word(int pc) const { return machine_.image().word(pc); }
    void showPc(int pc);
    void refreshIndf();
    void portTail();

    // The machine before the step.
    const state::MainForm& form() const { return form_; }
    const ProgramImage& image() const { return machine_.image(); }
    int lineBefore(int index) const { return before_[static_cast<std::size_t>(index)]; }
    int wBefore() const { return wBefore_; }
    const PartState& stateBefore() const { return stateBefore_; }
    // As the instruction left it, before the pins, Timer0 and an interrupt.
    struct AfterInstruction {
        int pc = 0;
        int w = 0;
        std::size_t messages = 0; // shown by then
        std::array<int, state::registerCount> lines{};
    };
    const std::optional<AfterInstruction>& afterInstruction() const { return afterInstruction_; }
    bool interruptTaken() const { return interruptTaken_; }

    // The machine after the step.
    int line(int index) const { return lines_[static_cast<std::size_t>(index)]; }
    bool wWritten() const { return wWritten_; }
    const PartState& state() const { return state_; }
    int selected() const { return selected_; }
    const std::vector<std::string>& stack() const { return stack_; }
    bool stackChanged() const { return stackChanged_; }
    const std::vector<std::string>& messages() const { return messages_; }

private:
    const state::MainForm& form_;
    const PartMachine& machine_;
    std::array<int, state::registerCount> before_{};
    std::array<int, state::registerCount> lines_{};
    int wBefore_ = 0;
    int w_ = 0;
    bool wWritten_ = false;
    PartState stateBefore_;
    PartState state_;
    int startPc_ = 0;
    int selected_ = -1;
    std::vector<std::string> stack_;
    bool stackChanged_ = false;
    std::vector<std::string> messages_;
    std::optional<AfterInstruction> afterInstruction_;
    bool interruptTaken_ = false;
};

} // namespace mirel::sim::part
