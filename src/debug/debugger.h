#pragma once

#include "breakpoints.h"
#include "change_watch.h"
#include "cycle_count.h"
#include "history_trace.h"
#include "replay_listener.h"
#include "sim/run_control.h"
#include "sim/simulator.h"
#include "state/main_form.h"
#include "step_journal.h"
#include "stopwatch.h"
#include "watches.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mirel::debug {

// Breakpoints, Step Back, Reset, the cycle count and the change highlight
// of one machine. It hears every step of the simulator and stops the runs of
// the run control at breakpoints. Listeners hear of a change after a Step,
// when a run starts or ends, and after Step Back, Reset or a new program;
// not during a run.
class Debugger final : public state::Observable,
                       private sim::StepListener,
                       private state::ChangeObserver,
                       private state::TextListObserver {
public:
    // `run` may be null where nothing runs (the batch driver).
    Debugger(state::MainForm& form, sim::Simulator& simulator, sim::RunControl* run);
    ~Debugger() override;
    Debugger(const Debugger&) = delete;
    Debugger& operator=(const Debugger&) = delete;

    Breakpoints& breakpoints() { return breakpoints_; }
    const Breakpoints& breakpoints() const { return breakpoints_; }
    // Lines written that are no instruction, marked until they are fixed.
    Breakpoints& notInstructions() { return notInstructions_; }
    const Breakpoints& notInstructions() const { return notInstructions_; }

    // Hears why nothing happened: a step that executed nothing, a run stopped
    // at a breakpoint, a line written that is no instruction.
    void setNotice(std::function<void(const std::string&)> tell) { tell_ = std::move(tell); }
    // While held, lines rewritten by an edit of the whole program (renumbered
    // addresses, Undo) are marked but not told of one by one.
    void holdNotices(bool hold) {
        noticesHeld_ = hold;
        if (!hold)
            checkProgram();
    }

    // Takes the last step back; false when there is none or a run is going.
    bool stepBack();
    bool canStepBack() const;
    // The machine as after opening the same program; ends a run first.
    void reset();
    // The user changed the machine in a way steps cannot be taken back over;
    // the counts go on.
    void clearHistory();

    const CycleCount& count() const { return count_; }
    // Cycles between two points: restarted by the user, and kept between
    // two stops at a breakpoint.
    Stopwatch& stopwatch() { return stopwatch_; }
    std::string statusText() const { return debug::statusText(count_); }

    // Register lines and W that the last Step, or the last run once it
    // stopped, changed.
    const std::vector<int>& changedRegisters() const;
    bool registerChanged(int index) const;
    bool wChanged() const;

    const StepJournal& journal() const { return journal_; }

    // Steps taken since the history began, and the oldest of them Step Back reaches.
    long long position() const { return journal_.position(); }
    long long reach() const { return journal_.reach(); }
    // Takes the machine to `position` of the history: back exactly as that
    // many Step Backs, forward by taking the steps again silently. False
    // while a run is going, out of reach, or already there.
    bool goTo(long long position);
    // Brings the trace up to the history as it stands: a row for each step
    // in reach, the steps a run took replayed from the history's snapshots
    // and the machine left as it was (history_trace.cpp). Rows after the
    // current step, taken back, stay while stepping on gives them again.
    void followHistory(HistoryTrace& trace);

    // Registers and W watched over the steps. A run stops after a step that
    // meets a watch's condition, as at a breakpoint, with a notice naming it.
    WatchList& watches() {
        journal_.holdQuickSteps(); // the next Step sees what changed
        return watches_;
    }
    const WatchList& watches() const { return watches_; }
    // Watch `i`'s value as the machine stands, and before the last step
    // when that step wrote it (else as it stands).
    int watchValue(std::size_t i) const;
    int watchBefore(std::size_t i) const;

private:
    // A common Step (on its own, nothing watched, the teaching model's, with
    // nothing for the journal to keep first, no highlight pending) is taken
    // the short way; any other between beginStep() and endStep().
    void takeStep(sim::Simulator& simulator) override;
    [[gnu::noinline]] void takeStepTheLongWay(sim::Simulator& simulator);
    void beginStep();
    void endStep(int cycles);
    // Runs on values go bare; the journal keeps the machine where they begin
    // (debugger_runs.cpp).
    long long runOnValues(sim::ValueCore& core, long long count) override;
    long long runOnPartValues(sim::part::PartValueCore& core, long long count) override;
    // What a part's run has told so far: each notice once a run.
    struct PartRunNotices {
        bool sleep = false, erased = false;
    };
    void partRunFinished(const sim::part::PartValueCore& core, long long ran,
                         PartRunNotices& notices);
    // Before the machine changes by a step or a run.
    [[gnu::always_inline]] void machineChanging() {
        highlightPending_ = false;
        watch_.setQuiet(true);
        if (journal_.due()) [[unlikely]]
            keepMachine();
    }
    void keepMachine();
    void viewsCaughtUp() override;
    void changed() override; // Timer1: a run starts or ends
    // Code: the breakpoints and the journal hear it from here, so that a
    // Step's selection change tells one observer instead of three.
    void lineInserted(int index) override;
    void lineRemoved(int index) override;
    void lineReplaced(int index) override;
    void linesReset() override; // a new program
    void unusualStepFinished(int cycles);
    // Out of line, so that a common step calls it last and saves nothing.
    [[gnu::noinline]] void tellListeners();
    void startHighlight();
    void nothingExecuted();
    void tellOncePerRun(const std::string& text, bool& told);
    bool stopsAtBreakpoint();
    // Watched steps (watched_steps.cpp): a Step's writes heard through the
    // register file, a run's through its core.
    void watchedStepStarting();
    void watchedStepFinished();
    long long watchedRun(sim::ValueCore& core, long long count);
    long long watchedPartRun(sim::part::PartValueCore& core, long long count);
    bool stopsAtWatch();
    // The steps from `from` to the current one replayed into `trace` from
    // the snapshots, the machine left as it was.
    void walkHistory(long long from, timeline::StepTrace& trace);
    // The marks of lines that are no instruction or whose operand is not what
    // it looks like (line_checks.cpp); tells the line's notice when asked.
    void checkLine(int index, bool tell);
    std::optional<std::string> lineNotice(int index);
    // A JMP or JSR to an address no line carries, beyond the last line: only
    // marked, never told as it is typed, since written from the top down every
    // jump forward goes beyond the program until its line is there.
    bool jumpsBeyondProgram(int index);
    // The marks that depend on other lines: a jump no line carries the target
    // of, an address alone before instructions.
    void checkProgram();
    bool running() const { return form_.Timer1.enabled(); }
    void outsideChange();
    // Take-backs (step_back.cpp): the machine as it was at `position` of
    // the history, by a snapshot and a silent replay of the steps after it.
    void restoreTo(long long position);
    void stepOnTo(long long position);
    template <typename F> void silently(F&& f) { silently(replayListener_, f); }
    template <typename F> void silently(sim::StepListener& listener, F&& f);
    void replay(long long steps);
    // After a run of its own, the highlight shows its last step alone.
    void highlightLastStep();

    state::MainForm& form_;
    sim::Simulator& simulator_;
    sim::RunControl* run_;
    Breakpoints breakpoints_;
    Breakpoints notInstructions_; // the same marks, kept for another reason
    StepJournal journal_;
    ChangeWatch watch_;
    CycleCount count_;
    Stopwatch stopwatch_;
    bool wasRunning_ = false;
    ReplayListener replayListener_{count_};
    WatchList watches_;
    bool watching_ = false;                  // a Step's writes go to the watches
    int watchedLine_ = -1;                   // the line the watched Step executes
    long long ran_ = 0;                      // the steps of the run whose views catch up
    mutable std::uint32_t changedEpoch_ = 0; // the highlight's epoch changed_ is of, 0 for none
    // A run ended unseen; its last step is marked when the highlight is read.
    bool highlightPending_ = false;
    void settleHighlight() const;
    mutable std::vector<int> changed_;
    std::function<void(const std::string&)> tell_;
    int idleLineTold_ = -1; // a run tells of each idle line once
    bool noticesHeld_ = false;
    bool sleepTold_ = false;
    bool erasedTold_ = false;
};

} // namespace mirel::debug
