#pragma once

#include "part_machine.h"
#include "part_state.h"
#include "sim/teaching/return_stack.h"
#include "sim/teaching/value_core.h"
#include "state/main_form.h"
#include "state/port_controls.h"
#include "state/register_file.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace mirel::sim::part {

// A recorder of a part's run on values has the teaching core's hooks (see
// value_core.h), stackPushed telling the return address put on the stack and
// valueStepFinished 0 cycles for a step the part slept through, and two more:
//   partStepStarting(const PartState& state)
//                                     what no line shows, before the step
//   linePicked(int line)              Code's line `line` is selected anew,
//                                     which refills the entry line
struct PartNoRecorder : NoRecorder {
    void partStepStarting(const PartState&) {}
    void linePicked(int) {}
};

// A part's steps on values alone: each register once, at its home address,
// W as a byte, the hidden state as PartState, program memory as the
// image's words. The rules are the ones a Step runs (part_step.h), on this
// storage instead of the models; part_view_sync.h brings the models up to
// date once a run is over. Texts typed by hand into W or a register line
// are read as a Step reads them, and stay until a write replaces them.
//
// Before a step that would show a message (a call or an interrupt on a full
// stack, a return from an empty one) it stops and leaves that step to Step.
class PartValueCore {
public:
    PartValueCore() { put_.reserve(stackLimit + 1); }

    // Takes the machine from the form and the part's hidden state. False when
    // the form holds what only a Step can work on.
    bool load(const state::MainForm& form, PartMachine& machine);

    // Runs at most `count` steps and answers how many ran. Stops before a step
    // that would show a message and after a step whose next line `stops` marks.
    long long run(long long count, const std::vector<char>* stops);
    // The same, each step told to `recorder` (part_value_steps.h defines it).
    template <typename Recorder>
    long long run(long long count, const std::vector<char>* stops, Recorder& recorder);

    // The instruction cycles of the last run, and its steps that executed an
    // instruction (the others the part slept through).
    long long cycles() const { return cycles_; }
    long long executed() const { return executed_; }
    // The program counter of the last run's first step that left no line
    // selected; -1 when every step left one.
    int firstPcWithoutLine() const { return firstPcWithoutLine_; }

    // The machine as the run left it. A line of Reg: a register written in
    // the run shows its value on all its lines, the others are as found.
    // In a run with watches, as the teaching core answers them.
    bool writtenInStep(int index, long long step) const {
        if (step <= 0)
            return false;
        if (index < 0)
            return wWrittenIn_ == step - 1;
        const int h = homeOf(index);
        return h >= 0 && writtenIn_[static_cast<std::size_t>(h)] == step - 1;
    }
    int valueBefore(int index) const {
        if (index < 0)
            return wBefore_;
        const int h = homeOf(index);
        return h >= 0 ? before_[static_cast<std::size_t>(h)] : 0;
    }
    int lineValue(int index) const {
        const int h = writtenHome(index);
        return h >= 0 ? cells_[static_cast<std::size_t>(h)] & 0xFF
                      : foundValues_[static_cast<std::size_t>(index)];
    }
    bool wellFormed(int index) const {
        return writtenHome(index) >= 0 || foundWellFormed_[static_cast<std::size_t>(index)] != 0;
    }
    bool wStored() const { return wStored_; }
    int w() const { return w_; }
    const PartState& partState() const { return state_; }
    bool woke() const { return woke_; }
    // The line of the next instruction, -1 when none carries it.
    int selected() const { return selected_; }
    // The last line the run selected anew, -1 when it selected none.
    int picked() const { return picked_; }
    // The stack: entries taken off below those the run found, then the
    // addresses it put on.
    int entriesTaken() const { return taken_; }
    const std::vector<int>& entriesPut() const { return put_; }
    // PORTA, PORTB, TRISA and TRISB as the last step's port tail showed them.
    int shownPort(int i) const { return shownPorts_[static_cast<std::size_t>(i)]; }
    // The lamps and input boxes as the last step left them.
    const state::PortControls& controls() const { return controls_; }

private:
    template <typename Recorder, WatchScope Scope> class OnValues;
    template <typename Recorder, WatchScope Scope>
    long long steps(long long count, const std::vector<char>* stops, Recorder& recorder);
    // The registers the rules write without an operand naming them (the
    // flags, INTCON, the timer, the ports, the mirrors), or W: whether one is watched.
    bool fixedHomeWatched() const;

    // Bit 8 of a register's cell: the run wrote it.
    static constexpr int written = 0x100;
    // The home of the line's register when the run wrote it, else -1.
    int writtenHome(int index) const {
        const int h =
            index < mirel::parts::bankedCount ? map_->home[static_cast<std::size_t>(index)] : -1;
        return h >= 0 && (cells_[static_cast<std::size_t>(h)] & written) != 0 ? h : -1;
    }
    int stackDepth() const { return foundDepth_ - taken_ + static_cast<int>(put_.size()); }

    const mirel::parts::RegisterMap* map_ = nullptr;
    std::span<const std::uint16_t> words_;
    std::span<const int> lineOf_;
    int addressMask_ = 0;

    // Each register at its home address: the value in the low byte, and
    // `written`. Wider than a byte so that its stores alias no byte of the core.
    std::array<std::uint16_t, mirel::parts::bankedCount> cells_{};
    // The watched registers' triggers (0: not watched), by home address.
    WatchTable watched_;
    bool wWatched_ = false;
    // Per watched home, the step of the run that last wrote it (-1: none)
    // and its value before that step.
    std::array<long long, 1024> writtenIn_{};
    std::array<std::uint8_t, 1024> before_{};
    long long wWrittenIn_ = -1;
    int wBefore_ = 0;
    // Whether the write fired the trigger. Unless every write is tested,
    // no other write of the step reaches the register.
    template <WatchScope Scope>
    std::uint8_t watchedWrite(std::size_t at, unsigned trigger, int value, long long step) {
        const int before = cells_[at] & 0xFF;
        if (!Scope.everyWrite || writtenIn_[at] != step) {
            writtenIn_[at] = step;
            before_[at] = static_cast<std::uint8_t>(before);
        }
        return watched_.fires<Scope.changes>(trigger, before, value & 0xFF);
    }
    int homeOf(int index) const {
        return index < mirel::parts::bankedCount ? map_->home[static_cast<std::size_t>(index)] : -1;
    }
    // Reg's lines as the run found them.
    std::array<std::uint8_t, state::registerCount> foundValues_{};
    std::array<std::uint8_t, state::registerCount> foundWellFormed_{};
    int w_ = 0;
    bool wStored_ = false;
    PartState state_;
    bool woke_ = false;
    int pc_ = 0; // the address the next step executes
    int selected_ = -1;
    int picked_ = -1;
    int foundDepth_ = 0; // entries below the stack's heading when the run began
    int taken_ = 0;
    std::vector<int> put_;
    int tickedA_ = 0, tickedB_ = 0;
    std::array<int, 4> shownPorts_{};
    state::PortControls controls_;
    long long cycles_ = 0;
    long long executed_ = 0;
    int firstPcWithoutLine_ = -1;
};

} // namespace mirel::sim::part
