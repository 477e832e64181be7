#pragma once

#include "ring_buffer.h"
#include "sim/part/part_value_core.h"
#include "sim/teaching/value_core.h"
#include "state/main_form.h"
#include "state/port_controls.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mirel::debug {

// A part's state that no line shows, before each step the journal holds.
using PartStates = RingBuffer<sim::part::PartState>;

// What each step changed, newest last, so that steps can be taken back one
// by one. Register writes are heard from the register values directly, stack
// and W changes through the models' own change events while a step runs; a
// register line that is the standard text of its value costs one byte. The
// selection and the entry line are noted before each step; the lamps and
// input boxes only by the step that first changes them after it began (until
// then they are as the step found them).
//
// Any change outside a step or a take-back (W typed, a program line edited,
// a new program) makes the recorded steps meaningless: the journal empties.
// The owner tells it of changes of Code's lines, which never come from a step.
class StepJournal final : private state::ChangeObserver, private state::RegisterWatch {
public:
    static constexpr std::size_t maxSteps = 100000;

    explicit StepJournal(state::MainForm& form);
    ~StepJournal() override;
    StepJournal(const StepJournal&) = delete;
    StepJournal& operator=(const StepJournal&) = delete;

    // A Step's record begins and ends with these. The plain forms are the
    // common case and call nothing; they answer false when the full form
    // must do the work (plain begin: nothing done yet; plain end: the oldest
    // steps are due to go, by dropOutOfReach).
    void beginStep();
    [[gnu::always_inline]] bool beginPlainStep() {
        if (pendingSteps_ != 0 || controlsStale_ || steps_.full()) [[unlikely]]
            return false;
        const int selected = form_.Code.selectedIndex();
        // The entry line is kept only when it is not as a Step leaves it:
        // filled from the selection, its first entry chosen, the caret at 0.
        const state::CounterModel& counter = form_.Counter;
        if (counter.firstLine() != selected || counter.caret() != 0 || counter.selectedEntry() != 0)
            [[unlikely]]
            return false;
        Step& step = steps_.emplaceBackWithRoom();
        step = Step{selected, changeMark(), 0, 0};
        current_ = &step;
        recording_ = true;
        return true;
    }
    void endStep(int cycles) {
        if (!endPlainStep(cycles)) [[unlikely]]
            dropOutOfReach();
    }
    [[gnu::always_inline]] bool endPlainStep(int cycles) {
        recording_ = false;
        if (steps_.empty()) [[unlikely]]
            return true; // emptied by a change of the program while the step ran
        current_->cycles = static_cast<std::uint8_t>(cycles);
        // The oldest step goes out of reach; its records go with others, in batches.
        if (steps_.size() > maxSteps + outOfReach_) [[unlikely]]
            return ++outOfReach_ != dropBatch;
        return true;
    }
    // The records of the steps out of reach go.
    void dropOutOfReach();

    // A run on values went by unrecorded: `skipped` steps, then `steps` more
    // from `start`. Only these are recorded, and only when something first
    // needs the records: then they run again on `core` from `start`, each step
    // recorded as it runs. A run is deterministic from its snapshot, so the
    // records are those the run would have made; at full speed no step pays
    // for a record that nobody reads. Call it while the models still show
    // where the run began.
    void addUnrecordedRun(sim::ValueCore& core, sim::ValueCore::Snapshot start, long long skipped,
                          long long steps);
    // Records every run still unrecorded.
    void settle();
    // Runs at most `count` steps on `core` as it stands, recording each, and
    // answers how many ran; it stops where ValueCore::run stops.
    long long recordRun(sim::ValueCore& core, long long count, const std::vector<char>* stops);
    // The same two for a run under a part's rules; `states` gets the part's
    // hidden state before each step as it is recorded.
    void addUnrecordedPartRun(sim::part::PartValueCore& core,
                              sim::part::PartValueCore::Snapshot start, long long skipped,
                              long long steps, PartStates& states);
    long long recordPartRun(sim::part::PartValueCore& core, long long count,
                            const std::vector<char>* stops, PartStates& states);
    bool settled() const { return pending_.empty(); }
    // While the models catch up with a run, what they tell is no change of
    // their own: the records bring the copies up to date.
    void catchUp(bool on) { catchingUp_ = on; }

    std::size_t size() const {
        return std::min(steps_.size() - outOfReach_ + static_cast<std::size_t>(pendingSteps_),
                        maxSteps);
    }
    bool empty() const { return steps_.size() == outOfReach_ && pending_.empty(); }
    // Steps taken since the journal last emptied, including those dropped
    // for room: a mark that stays valid while steps come and go.
    long long position() const {
        return dropped_ + static_cast<long long>(steps_.size()) + pendingSteps_;
    }

    // Takes the last step back; its cycles, or -1 when there is none.
    int undo();
    void clear();
    void programChanged() { clear(); }
    // Called when the journal empties of itself or by clear(), not by undo.
    void setOnEmptied(std::function<void()> heard) { onEmptied_ = std::move(heard); }

    // Register lines that differ from what they held before step `from`
    // (as far back as the journal reaches), and whether W does; once settled.
    std::vector<int> registersChangedSince(long long from) const;
    bool wChangedSince(long long from) const;

private:
    enum class Kind : std::uint8_t { Replaced, Inserted, Removed };
    enum List : std::uint8_t { RegList, StackList, WBox };
    // 8 bytes: a line or W that is the standard text of its value keeps only
    // the value; other texts wait in texts_.
    struct LineChange {
        std::int32_t index;
        List list;
        Kind kind;
        std::uint8_t value;
        bool hasText;
    };
    using Controls = state::PortControls;
    // The selection and the entry line before a step.
    struct EntryLine {
        std::int32_t selected, first, caret;
        std::int8_t entry;
        std::string edit; // the entry line's text, unless its first entry is chosen
    };
    // 12 bytes a step: its line changes run from `changes` to the next
    // step's; the entry line and the controls before it, when the step must
    // keep them, wait in entryLines_ and keptControls_.
    enum KeptFlags : std::uint8_t { EntryKept = 1, ControlsKept = 2 };
    struct Step {
        std::int32_t selected;
        std::uint32_t changes; // a mark of changes_ (see changeMark)
        std::uint8_t cycles;
        std::uint8_t kept;
    };
    // A record that only some steps or changes have, with the mark of the one
    // it belongs to, so that the oldest go with their steps without a count.
    template <typename T> struct Kept {
        std::uint32_t at;
        T item;
    };
    // Marks count every item put in since the journal last emptied, modulo
    // 2^32: far more than the journal ever holds, so differences are exact.
    std::uint32_t changeMark() const { return static_cast<std::uint32_t>(changes_.endPosition()); }
    std::uint32_t stepMark() const { return static_cast<std::uint32_t>(steps_.endPosition()); }
    template <typename T> static void dropBefore(RingBuffer<Kept<T>>& ring, std::uint32_t mark) {
        while (!ring.empty() && static_cast<std::int32_t>(ring[0].at - mark) < 0)
            ring.pop_front();
    }
    EntryLine readEntryLine() const;

    // Where a part's run not recorded yet begins, and what it found there.
    struct PartStart {
        sim::part::PartValueCore::Snapshot snapshot;
        sim::part::PartValueCore::Found found;
        EntryLine entry;
        std::string w;
    };
    // A run on values not recorded yet (see addUnrecordedRun).
    struct UnrecordedRun {
        sim::ValueCore::Snapshot start;
        long long steps;
        std::optional<EntryLine> entry; // when `start` is where the run began
        sim::ValueCore::FoundEntries found;
        // The stack at the run's end: entries taken off below those it found, then those put on.
        int taken;
        std::vector<int> put;
        std::unique_ptr<PartStart> part; // a part's run: it begins here instead
    };

    class ListWatch;
    class ControlsWatch;
    class ValueRecords;
    class Replay;
    class PartReplay;
    friend class ListWatch;
    friend class ControlsWatch;

    // A step's write over a standard line calls nothing: it is most of what
    // a Step under the debugger adds.
    void registerWritten(int index, std::uint8_t value) override {
        const auto at = static_cast<std::size_t>(index);
        if (!recording_ || catchingUp_ || !regStandard_[at] || changes_.full()) [[unlikely]] {
            unusualRegisterWrite(index, value);
            return;
        }
        changes_.emplaceBackWithRoom() = {index, RegList, Kind::Replaced, regValues_[at], false};
        regValues_[at] = value;
    }
    void unusualRegisterWrite(int index, std::uint8_t value);
    void registerTextChanged(Event event, int index) override;
    void lineChanged(List list, Kind kind, int index);
    void regChanged(Kind kind, int index);
    void stackChanged(Kind kind, int index);
    void linesReset(List list);
    void changed() override; // W
    void recordW();
    void takeW(const std::string& text);
    void takeW(std::uint8_t value);
    void controlChanged();
    void outsideChange();
    // Where the records of step `index` (counted from the oldest held) begin:
    // its first line change and first kept text.
    std::pair<std::size_t, std::size_t> recordsOf(std::size_t index) const;
    // Only while recording: the step's record stays where it is until the next one begins.
    void record(LineChange change, const std::string* text) {
        if (text) [[unlikely]] {
            recordText(change, *text);
            return;
        }
        changes_.emplace_back() = change;
    }
    void recordText(LineChange change, const std::string& text);
    // A step's record, the entry line as it stood before the step. In a run
    // on values, as the core runs it again, each step after the first finds
    // the entry line as the step before refilled it from its new selection.
    void beginStepFrom(const EntryLine& before);
    void valueRegister(int index, int value) {
        const auto at = static_cast<std::size_t>(index);
        LineChange change{index, RegList, Kind::Replaced, 0, false};
        const bool standard = regStandard_[at] != 0;
        if (standard)
            change.value = regValues_[at];
        record(change, standard ? nullptr : &regTexts_[at]);
        regValues_[at] = static_cast<std::uint8_t>(value);
        regStandard_[at] = 1;
    }
    void valueW(int value);
    void valueStackPushed(std::string line);
    void valueStackPopped();
    void valueControls(std::uint16_t lamps, std::uint16_t boxes);
    // The copies of the registers, W and the stack take the machine the core
    // holds; the stack copy must show the stack as the core's run found it.
    void adopt(const sim::ValueCore& core);
    // `addresses`: a part's stack, whose lines are addresses.
    void adoptStack(int taken, const std::vector<int>& put, bool addresses);
    // `foundW`: W's text where the part's run began.
    void adoptPart(const sim::part::PartValueCore& core, const std::string& foundW);
    void addPending(UnrecordedRun run);
    void settlePart(const UnrecordedRun& run);
    // The entry line as a part's steps left it from `found`: refilled by the
    // last line they selected anew.
    static EntryLine partEntryLine(const sim::part::PartValueCore& core, EntryLine found);
    // Every recorded step is out of reach.
    void dropRecords();
    // The copies take what the models show.
    void readModels();
    void readRegisters();
    void readControls();
    void restore(const LineChange& change, std::string text);
    void keepControls();
    void restoreControls(const Controls& c);
    void restoreSelection(int selected, EntryLine* entry);

    state::MainForm& form_;
    RingBuffer<Step> steps_;
    Step* current_ = nullptr; // the step being recorded
    RingBuffer<LineChange> changes_;
    RingBuffer<Kept<std::string>> texts_;    // by the mark of their change
    RingBuffer<Kept<EntryLine>> entryLines_; // by the mark of their step
    RingBuffer<Kept<Controls>> keptControls_;
    long long dropped_ = 0;
    // The oldest steps held that can no longer be taken back; their records
    // are dropped a batch at a time.
    static constexpr std::size_t dropBatch = 1024;
    std::size_t outOfReach_ = 0;
    // What the models held before their latest change, to know what a change replaced:
    // Reg as values (and the text of lines that are not the standard text of one),
    // the stack as text, W as a value (or its text, when not two hex digits as
    // a step writes it), the lamps and boxes as bits.
    std::vector<std::uint8_t> regValues_;
    std::vector<std::uint8_t> regStandard_;
    std::vector<std::string> regTexts_;
    std::vector<std::string> stackLines_;
    std::uint8_t wValue_ = 0;
    bool wStandard_ = false;
    std::string w_;
    Controls controls_;
    bool controlsStale_ = false;
    bool recording_ = false;
    bool catchingUp_ = false;
    bool replaying_ = false;
    std::unique_ptr<ListWatch> stackWatch_;
    std::unique_ptr<ControlsWatch> controlsWatch_;
    std::function<void()> onEmptied_;
    // Runs not recorded yet, oldest first, after every recorded step; the
    // copies above show the machine as the first of them found it.
    std::deque<UnrecordedRun> pending_;
    long long pendingSteps_ = 0;
    bool copiesBehind_ = false;      // runs were dropped unrecorded before the first
    sim::ValueCore* core_ = nullptr; // runs them again
    sim::part::PartValueCore* partCore_ = nullptr;
    PartStates* partStates_ = nullptr; // hears a part's hidden states as they are recorded
};

} // namespace mirel::debug
