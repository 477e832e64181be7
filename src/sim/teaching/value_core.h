#pragma once

#include "decoded_program.h"
#include "sim/watch_trigger.h"
#include "state/main_form.h"
#include "state/port_controls.h"
#include "state/register_file.h"
#include "value_line.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mirel::sim {

// A recorder hears each step of a run on values as it runs, while the models
// stand still: records says whether it wants to, and it has these members:
//   valueStepStarting(int selected)   Code's selection before the step (-1: none)
//   registerWritten(int index, int value)
//                                     a register line becomes the standard text
//                                     of `value`: every write, also one that
//                                     changes neither value nor text
//   wWritten(int value)
//   stackPushed(int callingLine)      a call's entry, its Code index
//   stackPopped()
//   controlsChanged(std::uint16_t lamps, std::uint16_t boxes)
//                                     port A in the low byte, B in the high
//   valueStepFinished(int cycles, int selected)
//                                     and Code's selection after it (-1: none)
//   stopAfterStep()                   true ends the run after the step just finished
// A recorder may also only watch (`watches` true, `records` false): before
// the run it gives each watched line a trigger (an index into `triggers`,
// 0 for none) and answers whether it watches W,
//   markWatched(WatchTable& table) -> bool
// and it hears only, after a step whose write fired a trigger (or wrote W),
//   stepMet(long long done, int line) -> bool
//                                     `done` steps of the run so far, the last
//                                     executed line `line`; true ends the run
// The core keeps what that step wrote: writtenInStep(), valueBefore().
struct NoRecorder {
    static constexpr bool records = false;
    static constexpr bool watches = false;
    void valueStepStarting(int) {}
    void registerWritten(int, int) {}
    void wWritten(int) {}
    void stackPushed(int) {}
    void stackPopped() {}
    void controlsChanged(std::uint16_t, std::uint16_t) {}
    void valueStepFinished(int, int) {}
    bool stopAfterStep() const { return false; }
};

// The one place where steps run on values alone: the register file as bytes,
// W as a byte, the selection as a line index, the stack's top as line indices,
// each program line resolved once. Step for step it gives the machine the
// text rules give, for every line those rules read as an ordinary
// instruction. Before a step that only the text rules can take (a line
// without an instruction, a store into a register line typed by hand, a step
// that shows a message) it stops and leaves that step to them.
//
// Nothing here touches the models: view_sync.h brings them up to date once a
// run is over, and a recorder hears each step as it runs.
class ValueCore {
public:
    explicit ValueCore(DecodedProgram& program) : program_(program) {}

    // Takes the machine's values from the form. False when the next step is
    // one for the text rules, or the form holds what only they read: W typed
    // otherwise than the simulator writes it, a register file of another length.
    bool load(const state::MainForm& form);

    // Runs at most `count` steps and answers how many ran. Stops before a step
    // for the text rules and after a step whose next line `stops` marks.
    long long run(long long count, const std::vector<char>* stops);
    // The same, each step told to `recorder` (value_core_steps.h defines it).
    template <typename Recorder>
    long long run(long long count, const std::vector<char>* stops, Recorder& recorder);

    // The instruction cycles of the last run.
    long long cycles() const { return cycles_; }

    // The machine as the run left it.
    int value(int index) const { return values_[static_cast<std::size_t>(index)]; }
    bool wellFormed(int index) const { return wellFormed_[static_cast<std::size_t>(index)] != 0; }
    int w() const { return w_; }
    bool wStored() const { return wStored_; }
    int selected() const { return selected_; }
    // The stack: entries taken off below those the run found, then those it put on.
    int entriesTaken() const { return taken_; }
    const std::vector<int>& entriesPut() const { return put_; }
    // The ports and directions the lamps and boxes show: as the last
    // instruction left them, before the inputs were merged.
    int shownPort(int i) const { return shownPorts_[static_cast<std::size_t>(i)]; }
    // The lamps and input boxes as the last step left them.
    const state::PortControls& controls() const { return controls_; }

    // In a run with watches: whether step `step` of the run (its last so
    // far) wrote the watched line `index` (W for -1), and the line's value
    // before that step.
    bool writtenInStep(int index, long long step) const {
        return step > 0 &&
               (index < 0 ? wWrittenIn_ : writtenIn_[static_cast<std::size_t>(index)]) == step - 1;
    }
    int valueBefore(int index) const {
        return index < 0 ? wBefore_ : before_[static_cast<std::size_t>(index)];
    }

private:
    using Op = ValueLine::Operation;
    // `Scope`: whether writes to the lines every step writes (INDF, STATUS,
    // the ports) and W are tested for watches, or only an operand's, and
    // whether a trigger fires on a change.
    template <typename Recorder, WatchScope Scope> class OnValues;
    template <typename Recorder, WatchScope Scope>
    long long steps(long long count, const std::vector<char>* stops, Recorder& recorder);
    // Beyond it the register file has no line.
    static constexpr int lastRegister = state::registerCount - 1;

    // `step`: the step's number in the run, kept with a watched line it
    // writes. Both answer whether the write fired a watch's trigger.
    template <bool Watched, WatchScope Scope, typename Recorder>
    std::uint8_t put(Recorder& recorder, int index, int value, long long step);
    template <bool Watched, typename Recorder>
    std::uint8_t setW(Recorder& recorder, int value, long long step);
    template <WatchScope Scope>
    std::uint8_t watchedWrite(std::size_t at, unsigned trigger, int value, long long step);
    const ValueLine& line(int index) {
        const ValueLine& resolved = lines_[static_cast<std::size_t>(index)];
        if (resolved.form == ValueLine::Form::Unresolved) [[unlikely]]
            resolve(index);
        return resolved;
    }
    void resolve(int index);
    bool textRulesTakeNextStep(const state::MainForm& form);
    // Every step writes INDF (its mirror) and the ports (the tail), most the
    // STATUS copies: whether one of them, or W, is watched.
    bool fixedLineWatched() const;
    int stackDepth() const { return foundDepth_ - taken_ + static_cast<int>(put_.size()); }
    bool topEntry(int& entry);

    DecodedProgram& program_;
    std::vector<ValueLine> lines_;
    unsigned linesOf_ = 0; // the program version lines_ were resolved for

    // Beyond index 512 the register file has no line: reads give 0, writes
    // go nowhere, so the arrays reach past every banked or indirect index.
    std::array<std::uint8_t, 1024> values_{};
    std::array<std::uint8_t, 1024> wellFormed_{};
    // The watched lines' triggers, kept here beside the values: a write
    // tests a value the step's own stores cannot hide.
    WatchTable watched_;
    bool wWatched_ = false;
    // Per watched line, the step of the run that last wrote it (-1: none)
    // and its value before that step.
    std::array<long long, 1024> writtenIn_{};
    std::array<std::uint8_t, 1024> before_{};
    long long wWrittenIn_ = -1;
    int wBefore_ = 0;
    int w_ = 0;
    bool wStored_ = false;
    long long cycles_ = 0;
    int selected_ = -1;
    int lineCount_ = 0;
    // The stack's lines as the run found them, in the model.
    const std::vector<std::string>* stackLines_ = nullptr;
    int foundDepth_ = 0; // entries below its heading
    int taken_ = 0;
    std::vector<int> put_;
    int tickedA_ = 0, tickedB_ = 0;
    std::array<int, 4> shownPorts_{}; // PORTA, PORTB, TRISA, TRISB
    // What the lamps and boxes show, as the recorder last heard it.
    state::PortControls controls_;
};

} // namespace mirel::sim
