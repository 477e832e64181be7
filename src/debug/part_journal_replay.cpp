// A part's runs on values recorded as they run: the journal hears each write
// as the part's core makes it, and the debugger the part's hidden state
// before each step.
#include "step_journal.h"

#include "sim/device/part_value_steps.h"
#include "state/hex_text.h"

namespace mirel::debug {

class StepJournal::PartReplay {
public:
    static constexpr bool records = true;
    // `entry`: the entry line before the first step.
    PartReplay(StepJournal& journal, EntryLine entry, PartStates& states)
        : journal_(journal), entry_(std::move(entry)), states_(states) {}

    // The entry line stays as it is until a line is selected anew, which
    // refills it; a step that clears the selection leaves it.
    void valueStepStarting(int selected) {
        entry_.selected = selected;
        journal_.beginValueStep(entry_);
    }
    void linePicked(int line) { entry_ = EntryLine{line, line, 0, 0, {}}; }
    void partStepStarting(const sim::device::DeviceState& state) { states_.push_back(state); }
    void registerWritten(int index, int value) { journal_.valueRegister(index, value); }
    void wWritten(int value) { journal_.valueW(value); }
    void stackPushed(int address) { journal_.valueStackPushed(state::hex4(address)); }
    void stackPopped() { journal_.valueStackPopped(); }
    void controlsChanged(std::uint16_t lamps, std::uint16_t boxes) {
        journal_.valueControls(lamps, boxes);
    }
    void valueStepFinished(int cycles) { journal_.endStep(cycles); }

private:
    StepJournal& journal_;
    EntryLine entry_;
    PartStates& states_;
};

long long StepJournal::recordPartRun(sim::device::PartValueCore& core, long long count,
                                     const std::vector<char>* stops, PartStates& states) {
    settle();
    if (controlsStale_)
        readControls();
    PartReplay replay(*this, readEntryLine(), states);
    return core.run(count, stops, replay);
}

long long StepJournal::recordPartRunFrom(sim::device::PartValueCore& core, long long skipped,
                                         long long steps, PartStates& states) {
    settle();
    // The entry line as the skipped steps left it: refilled by the last line
    // they selected anew, else as the models show it.
    EntryLine entry = readEntryLine();
    if (core.picked() >= 0)
        entry = EntryLine{core.selected(), core.picked(), 0, 0, {}};
    entry.selected = core.selected();
    dropRecords();
    dropped_ += skipped;
    adoptPart(core);
    PartReplay replay(*this, std::move(entry), states);
    return core.run(steps, nullptr, replay);
}

// A line the core never wrote still holds the text the copies read.
void StepJournal::adoptPart(const sim::device::PartValueCore& core) {
    for (std::size_t i = 0; i < regValues_.size() && i < state::registerCount; ++i) {
        const int index = static_cast<int>(i);
        if (!core.wellFormed(index))
            continue;
        regValues_[i] = static_cast<std::uint8_t>(core.lineValue(index));
        regStandard_[i] = 1;
    }
    if (core.wStored())
        w_ = state::hex2(core.w());
    stackLines_.resize(stackLines_.size() - static_cast<std::size_t>(core.entriesTaken()));
    for (int address : core.entriesPut())
        stackLines_.push_back(state::hex4(address));
    controls_ = core.controls();
    controlsStale_ = false;
}

} // namespace mirel::debug
