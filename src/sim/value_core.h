#pragma once

#include "decoded_program.h"
#include "state/main_form.h"
#include "value_line.h"
#include "value_step_recorder.h"

#include <array>
#include <cstdint>
#include <vector>

namespace mirel::sim {

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
    long long run(long long count, const std::vector<char>* stops, ValueStepRecorder* recorder);

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

private:
    template <bool Recording> long long steps(long long count, const std::vector<char>* stops);
    template <bool Recording> void put(int index, int value);
    template <bool Recording> void setZ(bool zero);
    template <bool Recording> void setC(bool carry);
    template <bool Recording> void setW(int value);
    const ValueLine& line(int index) {
        const ValueLine& resolved = lines_[static_cast<std::size_t>(index)];
        if (resolved.op == ValueLine::Op::Unresolved) [[unlikely]]
            resolve(index);
        return resolved;
    }
    void resolve(int index);
    bool textRulesTakeNextStep(const state::MainForm& form);
    int stackDepth() const { return foundDepth_ - taken_ + static_cast<int>(put_.size()); }
    bool topEntry(int& entry) const;

    DecodedProgram& program_;
    const state::MainForm* form_ = nullptr;
    ValueStepRecorder* recorder_ = nullptr;
    std::vector<ValueLine> lines_;
    unsigned linesOf_ = 0; // the program version lines_ were resolved for

    // Beyond index 512 the register file has no line: reads give 0, writes
    // go nowhere, so the arrays reach past every banked or indirect index.
    std::array<std::uint8_t, 1024> values_{};
    std::array<std::uint8_t, 1024> wellFormed_{};
    int w_ = 0;
    bool wStored_ = false;
    int selected_ = -1;
    int lineCount_ = 0;
    int foundDepth_ = 0; // entries below the stack's heading when the run began
    int taken_ = 0;
    std::vector<int> put_;
    int tickedA_ = 0, tickedB_ = 0;
    std::array<int, 4> shownPorts_{}; // PORTA, PORTB, TRISA, TRISB
    // What the lamps and boxes show, as the recorder last heard it.
    std::uint16_t lamps_ = 0, boxesShown_ = 0, boxesEnabled_ = 0;
};

} // namespace mirel::sim
