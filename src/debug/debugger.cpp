#include "debugger.h"

#include "line_notices.h"
#include "machine_reset.h"
#include "state/program_counter.h"

#include <algorithm>

namespace mirel::debug {

Debugger::Debugger(state::MainForm& form, sim::Simulator& simulator, sim::RunControl* run)
    : form_(form), simulator_(simulator), run_(run), breakpoints_(form.Code),
      notInstructions_(form.Code), journal_(form), wasRunning_(form.Timer1.enabled()) {
    simulator_.setStepListener(this);
    if (run_)
        run_->setBreakCheck([this] { return stopsAtBreakpoint(); });
    form_.Timer1.addObserver(this);
    form_.Code.addLineObserver(this);
    // Typing into W or changing a line empties the journal: Step Back has
    // nothing left to take back.
    journal_.setOnEmptied([this] {
        partStates_.clear();
        if (!running())
            notifyChanged();
    });
}

Debugger::~Debugger() {
    form_.Code.removeObserver(this);
    form_.Timer1.removeObserver(this);
    if (run_)
        run_->setBreakCheck({});
    simulator_.setStepListener(nullptr);
}

// The common step, under the teaching model, calls nothing until it tells
// the listeners; every other goes the unusual way.
void Debugger::stepStarting() {
    if (form_.model == parts::Model::Teaching && journal_.beginPlainStep()) [[likely]] {
        // A Step of its own is highlighted alone; a run's steps add up until it stops.
        if (!running()) {
            highlightLast_ = true;
            highlightStale_ = true;
        }
        return;
    }
    unusualStepStarting();
}

void Debugger::stepFinished(int cycles) {
    count_.add(cycles);
    if (!journal_.endPlainStep(cycles)) [[unlikely]] {
        unusualStepFinished(cycles, false);
        return;
    }
    if (cycles == 0 || form_.model != parts::Model::Teaching) [[unlikely]] {
        unusualStepFinished(cycles, true);
        return;
    }
    if (!running() && observed())
        tellListeners();
}

void Debugger::unusualStepStarting() {
    if (!running())
        startHighlight();
    journal_.beginStep();
    if (form_.model != parts::Model::Teaching) {
        if (auto* part = simulator_.deviceMachine())
            partStates_.push_back(part->hiddenState());
    }
}

void Debugger::unusualStepFinished(int cycles, bool ended) {
    if (!ended)
        journal_.dropOutOfReach();
    alignPartStates();
    if (cycles == 0)
        nothingExecuted();
    if (auto* part = simulator_.deviceMachine()) {
        if (const auto pc = part->pcWithoutLine())
            tellOncePerRun(erasedWordNotice(*pc), erasedTold_);
    }
    if (!running())
        notifyChanged();
}

void Debugger::tellListeners() {
    notifyChanged();
}

// A run of its own is recorded at once and its last step highlighted alone, as a Step's is.
void Debugger::viewsCaughtUp() {
    journal_.catchUp(false);
    if (running())
        return; // listeners hear of it when the run stops
    journal_.settle();
    alignPartStates();
    highlightLast_ = true;
    highlightStale_ = true;
    notifyChanged();
}

void Debugger::tellOncePerRun(const std::string& text, bool& told) {
    if (!tell_ || (running() && told))
        return;
    told = running();
    tell_(text);
}

// The line stays selected: it is the one that held no instruction.
void Debugger::nothingExecuted() {
    if (simulator_.sleeping()) {
        tellOncePerRun(sleepingNotice, sleepTold_);
        return;
    }
    const int line = state::currentIndex(form_);
    if (!tell_ || (running() && line == idleLineTold_))
        return;
    idleLineTold_ = running() ? line : -1;
    tell_(nothingExecutedNotice(form_.Code.line(line), line));
}

bool Debugger::stopsAtBreakpoint() {
    if (!breakpoints_.atSelection())
        return false;
    const int line = form_.Code.selectedIndex();
    if (tell_)
        tell_(breakpointNotice(form_.Code.line(line), line));
    return true;
}

void Debugger::checkLine(int index, bool tell) {
    const auto notice = notAnInstructionNotice(form_.Code.line(index), index);
    notInstructions_.set(index, notice.has_value());
    if (notice && tell && tell_)
        tell_(*notice);
}

bool Debugger::canStepBack() const {
    return !running() && !journal_.empty();
}

bool Debugger::stepBack() {
    if (!canStepBack())
        return false;
    const int cycles = journal_.undo();
    if (partStates_.size() > journal_.size()) {
        if (auto* part = simulator_.deviceMachine())
            part->restoreHiddenState(partStates_.back());
        partStates_.pop_back();
    }
    count_.remove(cycles);
    startHighlight();
    notifyChanged();
    return true;
}

void Debugger::reset() {
    if (!form_.StartKey.enabled() && !running())
        return; // no program yet
    if (running() && run_)
        run_->StopKey_Click();
    resetMachine(form_);
    count_ = {};
    clearHistory();
}

void Debugger::clearHistory() {
    journal_.clear();
    startHighlight();
    notifyChanged();
}

void Debugger::startHighlight() {
    highlightFrom_ = journal_.position();
    highlightLast_ = false;
    highlightStale_ = true;
}

long long Debugger::highlightStart() const {
    return highlightLast_ ? journal_.position() - 1 : highlightFrom_;
}

const std::vector<int>& Debugger::changedRegisters() const {
    // Nothing is shown as changed while a run is going.
    if (highlightStale_) {
        changed_ =
            running() ? std::vector<int>{} : journal_.registersChangedSince(highlightStart());
        highlightStale_ = false;
    }
    return changed_;
}

bool Debugger::registerChanged(int index) const {
    const auto& lines = changedRegisters();
    return std::binary_search(lines.begin(), lines.end(), index);
}

bool Debugger::wChanged() const {
    return !running() && journal_.wChangedSince(highlightStart());
}

void Debugger::changed() {
    if (running() == wasRunning_)
        return;
    wasRunning_ = running();
    if (!wasRunning_) {
        journal_.settle(); // the highlight and Step Back read the records
        alignPartStates();
    }
    idleLineTold_ = -1;
    sleepTold_ = false;
    erasedTold_ = false;
    if (wasRunning_)
        startHighlight();
    highlightStale_ = true;
    notifyChanged();
}

void Debugger::lineInserted(int index) {
    breakpoints_.lineInserted(index);
    notInstructions_.lineInserted(index);
    checkLine(index, false);
    journal_.programChanged();
}

void Debugger::lineRemoved(int index) {
    breakpoints_.lineRemoved(index);
    notInstructions_.lineRemoved(index);
    journal_.programChanged();
}

// Enter wrote the line: one that is no instruction is marked and named.
void Debugger::lineReplaced(int index) {
    checkLine(index, !noticesHeld_);
    journal_.programChanged();
}

// New and Open clear the breakpoints and the journal and start the counts again.
void Debugger::linesReset() {
    breakpoints_.linesReset();
    notInstructions_.linesReset();
    journal_.programChanged();
    count_ = {};
    startHighlight();
    notifyChanged();
}

} // namespace mirel::debug
