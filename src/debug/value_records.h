#pragma once

// What a recorder of a run on values tells the journal for either core:
// the writes, W, a pop, the lamps and boxes, and the end of each step. The
// teaching model's and a part's recorders add how a step begins and what a
// push puts on the stack.
#include "step_journal.h"

namespace mirel::debug {

class StepJournal::ValueRecords {
public:
    static constexpr bool records = true;
    explicit ValueRecords(StepJournal& journal) : journal_(journal) {}

    void registerWritten(int index, int value) { journal_.valueRegister(index, value); }
    void wWritten(int value) { journal_.valueW(value); }
    void stackPopped() { journal_.valueStackPopped(); }
    void controlsChanged(std::uint16_t lamps, std::uint16_t boxes) {
        journal_.valueControls(lamps, boxes);
    }
    void valueStepFinished(int cycles) { journal_.endStep(cycles); }

protected:
    StepJournal& journal_;
};

} // namespace mirel::debug
