// A part's runs on values, recorded as they run or, not recorded as they
// ran, by running them again from their snapshots: the journal hears each
// write as the part's core makes it, and the debugger the part's hidden
// state before each step.
#include "step_journal.h"
#include "value_records.h"

#include "sim/part/part_value_steps.h"
#include "state/hex_text.h"

namespace mirel::debug {

class StepJournal::PartReplay : public ValueRecords {
public:
    // `entry`: the entry line before the first step.
    PartReplay(StepJournal& journal, EntryLine entry, PartStates& states)
        : ValueRecords(journal), entry_(std::move(entry)), states_(states) {}

    // The entry line stays as it is until a line is selected anew, which
    // refills it; a step that clears the selection leaves it.
    void valueStepStarting(int selected) {
        entry_.selected = selected;
        journal_.beginStepFrom(entry_);
    }
    void linePicked(int line) { entry_ = EntryLine{line, line, 0, 0, {}}; }
    void partStepStarting(const sim::part::PartState& state) { states_.push_back(state); }
    void stackPushed(int address) { journal_.valueStackPushed(state::hex4(address)); }

private:
    EntryLine entry_;
    PartStates& states_;
};

long long StepJournal::recordPartRun(sim::part::PartValueCore& core, long long count,
                                     const std::vector<char>* stops, PartStates& states) {
    settle();
    if (controlsStale_)
        readControls();
    PartReplay replay(*this, readEntryLine(), states);
    return core.run(count, stops, replay);
}

void StepJournal::addUnrecordedPartRun(sim::part::PartValueCore& core,
                                       sim::part::PartValueCore::Snapshot start, long long skipped,
                                       long long steps, PartStates& states) {
    partCore_ = &core;
    partStates_ = &states;
    dropped_ += skipped;
    if (steps <= 0)
        return;
    const EntryLine found = readEntryLine();
    UnrecordedRun run{{},
                      steps,
                      std::nullopt,
                      {},
                      core.entriesTaken(),
                      core.entriesPut(),
                      std::make_unique<PartStart>(
                          PartStart{std::move(start), core.found(), found, form_.W.text()})};
    if (skipped == 0)
        run.entry = found;
    addPending(std::move(run));
}

void StepJournal::settlePart(const UnrecordedRun& run) {
    sim::part::PartValueCore& core = *partCore_;
    const PartStart& start = *run.part;
    core.restore(start.snapshot, start.found);
    bool fromStart = run.entry.has_value();
    long long steps = run.steps;
    // Only the last maxSteps can be taken back: the steps before them run bare.
    if (const long long bare = steps - static_cast<long long>(maxSteps); bare > 0) {
        core.run(bare, nullptr);
        dropRecords();
        dropped_ += bare;
        steps -= bare;
        fromStart = false;
    }
    // Unless the records begin where the run began and the copies stand
    // there, they take the machine the records begin from.
    if (!fromStart || copiesBehind_)
        adoptPart(core, start.w);
    controls_ = core.controls();
    controlsStale_ = false;
    copiesBehind_ = false;
    PartReplay replay(*this, partEntryLine(core, start.entry), *partStates_);
    core.run(steps, nullptr, replay);
}

StepJournal::EntryLine StepJournal::partEntryLine(const sim::part::PartValueCore& core,
                                                  EntryLine found) {
    if (core.picked() >= 0)
        found = EntryLine{core.selected(), core.picked(), 0, 0, {}};
    found.selected = core.selected();
    return found;
}

// A line the core never wrote still holds the text the copies read.
void StepJournal::adoptPart(const sim::part::PartValueCore& core, const std::string& foundW) {
    for (std::size_t i = 0; i < regValues_.size() && i < state::registerCount; ++i) {
        const int index = static_cast<int>(i);
        if (!core.wellFormed(index))
            continue;
        regValues_[i] = static_cast<std::uint8_t>(core.lineValue(index));
        regStandard_[i] = 1;
    }
    // W typed by hand stays as typed until a step stores it.
    if (core.wStored())
        takeW(static_cast<std::uint8_t>(core.w()));
    else
        takeW(foundW);
    adoptStack(core.entriesTaken(), core.entriesPut(), true);
    controls_ = core.controls();
    controlsStale_ = false;
}

} // namespace mirel::debug
