#include "debugger.h"

#include "machine_reset.h"

#include <algorithm>

namespace mirel::debug {

Debugger::Debugger(state::MainForm& form, sim::Simulator& simulator, sim::RunControl* run)
    : form_(form), simulator_(simulator), run_(run), breakpoints_(form.Code), journal_(form),
      wasRunning_(form.Timer1.enabled()) {
    simulator_.setStepListener(this);
    if (run_)
        run_->setBreakCheck([this] { return breakpoints_.atSelection(); });
    form_.Timer1.addObserver(this);
    form_.Code.addObserver(this);
}

Debugger::~Debugger() {
    form_.Code.removeObserver(this);
    form_.Timer1.removeObserver(this);
    if (run_)
        run_->setBreakCheck({});
    simulator_.setStepListener(nullptr);
}

void Debugger::stepStarting() {
    // A Step of its own is highlighted alone; a run's steps add up until it stops.
    if (!running())
        startHighlight();
    journal_.beginStep();
}

void Debugger::stepFinished(int cycles) {
    journal_.endStep(cycles);
    count_.add(cycles);
    if (!running())
        notifyChanged();
}

bool Debugger::canStepBack() const {
    return !running() && !journal_.empty();
}

bool Debugger::stepBack() {
    if (!canStepBack())
        return false;
    const int cycles = journal_.undo();
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
    highlightStale_ = true;
}

const std::vector<int>& Debugger::changedRegisters() const {
    // Nothing is shown as changed while a run is going.
    if (highlightStale_) {
        changed_ = running() ? std::vector<int>{} : journal_.registersChangedSince(highlightFrom_);
        highlightStale_ = false;
    }
    return changed_;
}

bool Debugger::registerChanged(int index) const {
    const auto& lines = changedRegisters();
    return std::binary_search(lines.begin(), lines.end(), index);
}

bool Debugger::wChanged() const {
    return !running() && journal_.wChangedSince(highlightFrom_);
}

void Debugger::changed() {
    if (running() == wasRunning_)
        return;
    wasRunning_ = running();
    if (wasRunning_)
        startHighlight();
    highlightStale_ = true;
    notifyChanged();
}

void Debugger::lineInserted(int index) {
    breakpoints_.lineInserted(index);
    journal_.programChanged();
}

void Debugger::lineRemoved(int index) {
    breakpoints_.lineRemoved(index);
    journal_.programChanged();
}

void Debugger::lineReplaced(int /*index*/) {
    journal_.programChanged();
}

// New and Open clear the breakpoints and the journal and start the counts again.
void Debugger::linesReset() {
    breakpoints_.linesReset();
    journal_.programChanged();
    count_ = {};
    startHighlight();
    notifyChanged();
}

} // namespace mirel::debug
