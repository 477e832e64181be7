#include "debugger.h"

#include "line_notices.h"
#include "machine_reset.h"
#include "state/program_counter.h"

#include <algorithm>

namespace mirel::debug {

Debugger::Debugger(state::MainForm& form, sim::Simulator& simulator, sim::RunControl* run)
    : form_(form), simulator_(simulator), run_(run), breakpoints_(form.Code),
      notInstructions_(form.Code), journal_(form, simulator.ports()),
      watch_(
          form, [this] { outsideChange(); }, [this] { journal_.inputsTicked(); }),
      wasRunning_(form.Timer1.enabled()) {
    simulator_.setStepListener(this);
    if (run_)
        run_->setBreakCheck([this] { return stopsAtBreakpoint(); });
    form_.Timer1.addObserver(this);
    form_.Code.addLineObserver(this);
}

Debugger::~Debugger() {
    form_.Code.removeObserver(this);
    form_.Timer1.removeObserver(this);
    if (run_)
        run_->setBreakCheck({});
    simulator_.setStepListener(nullptr);
}

// The short way does what the long one does for such a Step, and calls
// nothing until it tells the listeners. The journal allows it after a Step
// the long way found common (see allowQuickSteps), until something unusual;
// a program emptied is one (lineRemoved, linesReset): it has a program.
void Debugger::takeStep(sim::Simulator& simulator) {
    if (!journal_.quickStep()) [[unlikely]] {
        takeStepTheLongWay(simulator);
        return;
    }
    startHighlight();
    watch_.setQuietUnheard(true);         // no watches
    const int cycles = cycle(simulator_); // `simulator`, read from here after the checks
    watch_.setQuietUnheard(false);
    journal_.advance(1);
    count_.cycles += cycles;
    if (cycles == 0) [[unlikely]] {
        unusualStepFinished(cycles);
        return;
    }
    ++count_.instructions;
    if (observed() && !running())
        tellListeners();
}

void Debugger::takeStepTheLongWay(sim::Simulator& simulator) {
    if (!simulator.hasProgram())
        return;
    // Nothing changed since the quick steps were allowed but the snapshot due.
    if (journal_.quickUntilSnapshot()) {
        keepMachine();
        journal_.quickAfterSnapshot();
        takeStep(simulator);
        return;
    }
    beginStep();
    endStep(cycle(simulator));
    journal_.allowQuickSteps(!running() && watches_.empty() && !highlightPending_ &&
                             form_.model == parts::Model::Teaching);
}

void Debugger::beginStep() {
    // A Step of its own is highlighted alone; a run's steps add up until it stops.
    if (!running())
        startHighlight();
    machineChanging();
    if (!watches_.empty()) [[unlikely]]
        watchedStepStarting();
}

void Debugger::endStep(int cycles) {
    if (watching_) [[unlikely]]
        watchedStepFinished();
    count_.add(cycles);
    watch_.setQuiet(false);
    journal_.advance(1);
    if (cycles == 0 || form_.model != parts::Model::Teaching) [[unlikely]] {
        unusualStepFinished(cycles);
        return;
    }
    if (!running() && observed())
        tellListeners();
}

void Debugger::keepMachine() {
    journal_.keep(simulator_.deviceMachine(), count_, watch_.anyTyped());
}

void Debugger::unusualStepFinished(int cycles) {
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

// A run of its own is highlighted by its last step alone, as a Step is.
void Debugger::viewsCaughtUp() {
    watch_.setQuiet(false);
    journal_.advance(ran_);
    journal_.holdQuickSteps();
    if (running())
        return; // listeners hear of it when the run stops
    // Without a listener (the batch driver) the last step is taken again to
    // mark what it changed only when someone asks.
    if (observed())
        highlightLastStep();
    else
        highlightPending_ = true;
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
    if (stopsAtWatch())
        return true;
    if (!breakpoints_.atSelection())
        return false;
    const int line = form_.Code.selectedIndex();
    stopwatch_.stoppedAtBreakpoint(count_);
    if (tell_)
        tell_(breakpointNotice(form_.Code.line(line), line));
    return true;
}

bool Debugger::canStepBack() const {
    return !running() && !journal_.empty();
}

bool Debugger::stepBack() {
    if (!canStepBack())
        return false;
    restoreTo(journal_.position() - 1);
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
    stopwatch_.clear();
    clearHistory();
}

void Debugger::clearHistory() {
    journal_.forget();
    startHighlight();
    notifyChanged();
}

// Typing into W or a register line, or changing a line of the program,
// empties the journal: Step Back has nothing left to take back.
void Debugger::outsideChange() {
    const bool had = !journal_.empty();
    journal_.forget();
    startHighlight();
    if (had && !running())
        notifyChanged();
}

void Debugger::startHighlight() {
    if (!watch_.startHighlight()) [[unlikely]]
        changedEpoch_ = 0;
}

// Asked with no listener to see the machine move: the last step of a run is
// taken again now.
void Debugger::settleHighlight() const {
    if (!highlightPending_)
        return;
    auto& self = const_cast<Debugger&>(*this);
    self.highlightPending_ = false;
    self.highlightLastStep();
}

const std::vector<int>& Debugger::changedRegisters() const {
    settleHighlight();
    // Nothing is shown as changed while a run is going.
    if (changedEpoch_ != watch_.epoch()) {
        changed_ = running() ? std::vector<int>{} : watch_.changedRegisters();
        changedEpoch_ = watch_.epoch();
    }
    return changed_;
}

bool Debugger::registerChanged(int index) const {
    const auto& lines = changedRegisters();
    return std::binary_search(lines.begin(), lines.end(), index);
}

bool Debugger::wChanged() const {
    settleHighlight();
    return !running() && watch_.wChanged();
}

void Debugger::changed() {
    if (running() == wasRunning_)
        return;
    journal_.holdQuickSteps();
    wasRunning_ = running();
    // The snapshots a long run left out are made now, so that Step Back is quick.
    if (!wasRunning_ && journal_.gapBehind())
        restoreTo(journal_.position());
    idleLineTold_ = -1;
    sleepTold_ = false;
    erasedTold_ = false;
    if (wasRunning_)
        startHighlight();
    changedEpoch_ = 0; // a run shows nothing as changed
    notifyChanged();
}

void Debugger::lineInserted(int index) {
    breakpoints_.lineInserted(index);
    notInstructions_.lineInserted(index);
    checkLine(index, false);
    if (!noticesHeld_)
        checkProgram();
    outsideChange();
}

void Debugger::lineRemoved(int index) {
    breakpoints_.lineRemoved(index);
    notInstructions_.lineRemoved(index);
    if (!noticesHeld_)
        checkProgram();
    outsideChange();
}

// Enter wrote the line: one that is no instruction, or whose operand is not
// what it looks like, is marked and named.
void Debugger::lineReplaced(int index) {
    checkLine(index, !noticesHeld_);
    if (!noticesHeld_)
        checkProgram();
    outsideChange();
}

// New and Open clear the breakpoints and the journal and start the counts again.
void Debugger::linesReset() {
    breakpoints_.linesReset();
    notInstructions_.linesReset();
    journal_.forget();
    count_ = {};
    stopwatch_.clear();
    startHighlight();
    notifyChanged();
}

} // namespace mirel::debug
