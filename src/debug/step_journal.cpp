#include "step_journal.h"

#include "state/hex_text.h"
#include "state/register_file.h"
#include "state/register_values.h"

#include <algorithm>

namespace mirel::debug {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Whether W's text is two upper-case hex digits, as the simulator writes it,
// and which value: such a text is kept as one byte.
bool standardW(const std::string& text, std::uint8_t& value) {
    if (text.size() != 2)
        return false;
    const int high = hexDigit(text[0]);
    const int low = hexDigit(text[1]);
    if (high < 0 || low < 0)
        return false;
    value = static_cast<std::uint8_t>(high * 16 + low);
    return true;
}

std::string wText(std::uint8_t value) {
    static constexpr char digits[] = "0123456789ABCDEF";
    return {digits[value >> 4], digits[value & 15]};
}

} // namespace

// Hears Reg or the stack for the journal.
class StepJournal::ListWatch final : public state::TextListObserver {
public:
    ListWatch(StepJournal& journal, state::TextList& list, List kind)
        : journal_(journal), list_(list), kind_(kind) {
        list_.addObserver(this);
    }
    ~ListWatch() override { list_.removeObserver(this); }

    void lineInserted(int index) override { tell(Kind::Inserted, index); }
    void lineRemoved(int index) override { tell(Kind::Removed, index); }
    void lineReplaced(int index) override { tell(Kind::Replaced, index); }
    void linesReset() override { journal_.linesReset(kind_); }

private:
    void tell(Kind kind, int index) { journal_.lineChanged(kind_, kind, index); }
    StepJournal& journal_;
    state::TextList& list_;
    List kind_;
};

// Hears the lamps and the input boxes.
class StepJournal::ControlsWatch final : public state::ChangeObserver {
public:
    explicit ControlsWatch(StepJournal& journal) : journal_(journal) {
        forEach([this](state::Observable& c) { c.addObserver(this); });
    }
    ~ControlsWatch() override {
        forEach([this](state::Observable& c) { c.removeObserver(this); });
    }
    void changed() override { journal_.controlChanged(); }

private:
    template <typename F> void forEach(F&& f) {
        state::MainForm& form = journal_.form_;
        for (std::size_t i = 0; i < 8; ++i) {
            f(form.RA[i]);
            f(form.RB[i]);
            f(form.InA[i]);
            f(form.InB[i]);
        }
    }
    StepJournal& journal_;
};

StepJournal::StepJournal(state::MainForm& form)
    : form_(form), stackLines_(form.SPReg.lines()),
      stackWatch_(std::make_unique<ListWatch>(*this, form.SPReg, StackList)),
      controlsWatch_(std::make_unique<ControlsWatch>(*this)) {
    readRegisters();
    readControls();
    takeW(form_.W.text());
    form_.W.addObserver(this);
    form_.registers.setWatch(this);
}

StepJournal::~StepJournal() {
    form_.W.removeObserver(this);
    if (form_.registers.watch() == this)
        form_.registers.setWatch(nullptr);
}

void StepJournal::readRegisters() {
    const auto count = static_cast<std::size_t>(form_.Reg.count());
    regValues_.resize(count);
    regStandard_.resize(count);
    regTexts_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int index = static_cast<int>(i);
        regValues_[i] = static_cast<std::uint8_t>(form_.registers.value(index));
        regStandard_[i] = form_.registers.wellFormed(index) ? 1 : 0;
        if (regStandard_[i])
            regTexts_[i].clear();
        else
            regTexts_[i] = form_.Reg.line(index);
    }
}

void StepJournal::readControls() {
    controls_ = state::readPortControls(form_);
    controlsStale_ = false;
}

// The newest step keeps the controls as they were before the first change
// after it began; a step that keeps none left them as it found them.
void StepJournal::controlChanged() {
    if (catchingUp_ || !pending_.empty()) {
        controlsStale_ = true;
        return;
    }
    if (!replaying_)
        keepControls();
    controlsStale_ = true;
}

void StepJournal::recordText(LineChange change, const std::string& text) {
    change.hasText = true;
    texts_.push_back({changeMark(), text});
    changes_.emplace_back() = change;
}

void StepJournal::unusualRegisterWrite(int index, std::uint8_t value) {
    if (catchingUp_)
        return; // the value records brought the copies up to date already
    if (recording_) {
        valueRegister(index, value); // over a hand-typed line, or the ring is full
        return;
    }
    const auto at = static_cast<std::size_t>(index);
    regValues_[at] = value;
    regStandard_[at] = 1;
    if (!replaying_)
        outsideChange();
}

void StepJournal::registerTextChanged(Event event, int index) {
    switch (event) {
    case Event::Replaced:
        lineChanged(RegList, Kind::Replaced, index);
        break;
    case Event::Inserted:
        lineChanged(RegList, Kind::Inserted, index);
        break;
    case Event::Removed:
        lineChanged(RegList, Kind::Removed, index);
        break;
    case Event::Reset:
        linesReset(RegList);
        break;
    }
}

void StepJournal::lineChanged(List list, Kind kind, int index) {
    if (catchingUp_)
        return; // the value records brought the copies up to date already
    if (list == RegList)
        regChanged(kind, index);
    else
        stackChanged(kind, index);
    if (!recording_ && !replaying_)
        outsideChange();
}

void StepJournal::regChanged(Kind kind, int index) {
    const auto at = static_cast<std::size_t>(index);
    if (recording_) {
        LineChange change{index, RegList, kind, 0, false};
        const bool standard = kind != Kind::Inserted && regStandard_[at];
        if (standard)
            change.value = regValues_[at];
        record(change, kind == Kind::Inserted || standard ? nullptr : &regTexts_[at]);
    }
    if (kind != Kind::Replaced) {
        // The lines after it moved: their addresses no longer match.
        readRegisters();
        return;
    }
    if (form_.registers.wellFormed(index)) {
        regValues_[at] = static_cast<std::uint8_t>(form_.registers.value(index));
        regStandard_[at] = 1;
    } else {
        regTexts_[at] = form_.Reg.line(index);
        regStandard_[at] = 0;
    }
}

void StepJournal::stackChanged(Kind kind, int index) {
    const auto at = static_cast<std::size_t>(index);
    if (recording_)
        record({index, StackList, kind, 0, false},
               kind == Kind::Inserted ? nullptr : &stackLines_[at]);
    switch (kind) {
    case Kind::Replaced:
        stackLines_[at] = form_.SPReg.line(index);
        break;
    case Kind::Inserted:
        stackLines_.insert(stackLines_.begin() + index, form_.SPReg.line(index));
        break;
    case Kind::Removed:
        stackLines_.erase(stackLines_.begin() + index);
        break;
    }
}

void StepJournal::linesReset(List list) {
    if (list == RegList)
        readRegisters();
    else
        stackLines_ = form_.SPReg.lines();
    if (!replaying_)
        outsideChange();
}

void StepJournal::changed() {
    if (catchingUp_)
        return;
    if (recording_)
        recordW();
    takeW(form_.W.text());
    if (!recording_ && !replaying_)
        outsideChange();
}

void StepJournal::recordW() {
    record({0, WBox, Kind::Replaced, wValue_, false}, wStandard_ ? nullptr : &w_);
}

void StepJournal::takeW(const std::string& text) {
    wStandard_ = standardW(text, wValue_);
    if (!wStandard_)
        w_ = text;
}

void StepJournal::takeW(std::uint8_t value) {
    wValue_ = value;
    wStandard_ = true;
}

void StepJournal::addUnrecordedRun(sim::ValueCore& core, sim::ValueCore::Snapshot start,
                                   long long skipped, long long steps) {
    core_ = &core;
    dropped_ += skipped;
    if (steps <= 0)
        return;
    UnrecordedRun run{
        std::move(start),  steps,  std::nullopt, core.foundEntries(), core.entriesTaken(),
        core.entriesPut(), nullptr};
    if (skipped == 0)
        run.entry =
            EntryLine{form_.Code.selectedIndex(), form_.Counter.firstLine(), form_.Counter.caret(),
                      static_cast<std::int8_t>(form_.Counter.selectedEntry()),
                      form_.Counter.selectedEntry() != 0 ? form_.Counter.editText() : ""};
    addPending(std::move(run));
}

void StepJournal::addPending(UnrecordedRun run) {
    pendingSteps_ += run.steps;
    pending_.push_back(std::move(run));
    // What lies wholly before the last maxSteps steps is out of reach.
    while (pending_.size() > 1 &&
           pendingSteps_ - pending_.front().steps >= static_cast<long long>(maxSteps)) {
        const UnrecordedRun& oldest = pending_.front();
        dropped_ += oldest.steps;
        pendingSteps_ -= oldest.steps;
        // The next run found the stack so.
        adoptStack(oldest.taken, oldest.put, oldest.part != nullptr);
        pending_.pop_front();
        copiesBehind_ = true;
    }
    if (pendingSteps_ >= static_cast<long long>(maxSteps))
        dropRecords();
}

void StepJournal::dropOutOfReach() {
    const auto firstStep = static_cast<std::uint32_t>(steps_.frontPosition() + outOfReach_);
    const std::uint32_t firstChange =
        outOfReach_ < steps_.size() ? steps_[outOfReach_].changes : changeMark();
    changes_.pop_front(firstChange - static_cast<std::uint32_t>(changes_.frontPosition()));
    dropBefore(texts_, firstChange);
    dropBefore(entryLines_, firstStep);
    dropBefore(keptControls_, firstStep);
    steps_.pop_front(outOfReach_);
    dropped_ += static_cast<long long>(outOfReach_);
    outOfReach_ = 0;
}

void StepJournal::dropRecords() {
    outOfReach_ = 0;
    dropped_ += static_cast<long long>(steps_.size());
    steps_.clear();
    changes_.clear();
    texts_.clear();
    entryLines_.clear();
    keptControls_.clear();
}

void StepJournal::beginStepFrom(const EntryLine& before) {
    std::uint8_t kept = 0;
    if (before.first != before.selected || before.caret != 0 || before.entry != 0) {
        kept = EntryKept;
        entryLines_.push_back({stepMark(), before});
    }
    Step& step = steps_.emplace_back();
    step = Step{before.selected, changeMark(), 0, kept};
    current_ = &step;
    recording_ = true;
}

void StepJournal::beginStep() {
    if (pendingSteps_ != 0)
        settle();
    if (controlsStale_)
        readControls();
    beginStepFrom(readEntryLine());
}

StepJournal::EntryLine StepJournal::readEntryLine() const {
    const state::CounterModel& counter = form_.Counter;
    EntryLine line{form_.Code.selectedIndex(),
                   counter.firstLine(),
                   counter.caret(),
                   static_cast<std::int8_t>(counter.selectedEntry()),
                   {}};
    // The first entry's text is the program line itself: no need to keep it.
    if (line.entry != 0)
        line.edit = counter.editText();
    return line;
}

void StepJournal::keepControls() {
    if (steps_.empty() || (steps_.back().kept & ControlsKept))
        return;
    keptControls_.push_back({stepMark() - 1, controls_});
    steps_.back().kept |= ControlsKept;
}

// A line the core found not well formed was never written since the copies
// last read it: they still hold its text.
void StepJournal::adopt(const sim::ValueCore& core) {
    for (std::size_t i = 0; i < regValues_.size() && i < state::registerCount; ++i) {
        const int index = static_cast<int>(i);
        if (!core.wellFormed(index))
            continue;
        regValues_[i] = static_cast<std::uint8_t>(core.value(index));
        regStandard_[i] = 1;
    }
    // The core takes W only as the simulator writes it.
    takeW(static_cast<std::uint8_t>(core.w()));
    adoptStack(core.entriesTaken(), core.entriesPut(), false);
}

void StepJournal::adoptStack(int taken, const std::vector<int>& put, bool addresses) {
    stackLines_.resize(stackLines_.size() - static_cast<std::size_t>(taken));
    for (int entry : put)
        stackLines_.push_back(addresses ? state::hex4(entry) : std::to_string(entry));
}

void StepJournal::readModels() {
    readRegisters();
    stackLines_ = form_.SPReg.lines();
    takeW(form_.W.text());
    readControls();
}

void StepJournal::valueW(int value) {
    recordW();
    takeW(static_cast<std::uint8_t>(value));
}

void StepJournal::valueStackPushed(std::string line) {
    record({static_cast<std::int32_t>(stackLines_.size()), StackList, Kind::Inserted, 0, false},
           nullptr);
    stackLines_.push_back(std::move(line));
}

void StepJournal::valueStackPopped() {
    const auto top = stackLines_.size() - 1;
    record({static_cast<std::int32_t>(top), StackList, Kind::Removed, 0, false}, &stackLines_[top]);
    stackLines_.pop_back();
}

void StepJournal::valueControls(std::uint16_t lamps, std::uint16_t boxes) {
    keepControls();
    controls_ = {lamps, boxes, boxes};
    controlsStale_ = false;
}

void StepJournal::outsideChange() {
    clear();
}

void StepJournal::clear() {
    const bool hadSteps = !empty();
    if (!pending_.empty()) {
        pending_.clear();
        pendingSteps_ = 0;
        copiesBehind_ = false;
        readModels(); // they stood where the first unrecorded run began
    }
    recording_ = false;
    outOfReach_ = 0;
    steps_.clear();
    changes_.clear();
    texts_.clear();
    entryLines_.clear();
    keptControls_.clear();
    dropped_ = 0;
    if (hadSteps && onEmptied_)
        onEmptied_();
}

int StepJournal::undo() {
    settle();
    if (steps_.size() == outOfReach_ || recording_)
        return -1;
    replaying_ = true;
    const Step step = steps_.back();
    for (std::uint32_t i = changeMark() - step.changes; i > 0; --i) {
        const LineChange change = changes_.back();
        changes_.pop_back();
        std::string text;
        if (change.hasText) {
            text = std::move(texts_.back().item);
            texts_.pop_back();
        }
        restore(change, std::move(text));
    }
    if (step.kept & ControlsKept) {
        restoreControls(keptControls_.back().item);
        keptControls_.pop_back();
    }
    std::optional<EntryLine> entry;
    if (step.kept & EntryKept) {
        entry = std::move(entryLines_.back().item);
        entryLines_.pop_back();
    }
    restoreSelection(step.selected, entry ? &*entry : nullptr);
    steps_.pop_back();
    if (steps_.size() == outOfReach_)
        dropOutOfReach(); // nothing is left to take back
    replaying_ = false;
    if (controlsStale_)
        readControls();
    return step.cycles;
}

void StepJournal::restore(const LineChange& change, std::string text) {
    if (change.list == WBox) {
        if (!change.hasText)
            text = wText(change.value);
        if (form_.W.text() != text)
            form_.W.setText(std::move(text));
        return;
    }
    state::TextList& list = change.list == RegList ? form_.Reg : form_.SPReg;
    switch (change.kind) {
    case Kind::Replaced:
        if (change.hasText)
            list.replaceAt(change.index, std::move(text));
        else
            form_.registers.write(change.index, change.value);
        break;
    case Kind::Inserted:
        list.removeAt(change.index);
        break;
    case Kind::Removed:
        if (!change.hasText)
            text = state::registerLine(change.index, change.value);
        list.insertAt(change.index, std::move(text));
        break;
    }
}

void StepJournal::restoreControls(const Controls& c) {
    for (std::size_t i = 0; i < 8; ++i) {
        const auto picture = [&](int bit) {
            return (c.lamps >> bit) & 1 ? state::LampModel::Lit : state::LampModel::Dark;
        };
        form_.RA[i].setPicture(picture(static_cast<int>(i)));
        form_.RB[i].setPicture(picture(static_cast<int>(i) + 8));
        form_.InA[i].setVisible((c.boxesShown >> i) & 1);
        form_.InB[i].setVisible((c.boxesShown >> (i + 8)) & 1);
        form_.InA[i].setEnabled((c.boxesEnabled >> i) & 1);
        form_.InB[i].setEnabled((c.boxesEnabled >> (i + 8)) & 1);
    }
}

// `entry`: the entry line before the step, when it was not as a Step leaves it.
void StepJournal::restoreSelection(int selected, EntryLine* entry) {
    if (selected < 0)
        form_.Code.clearSelection();
    else
        form_.Code.select(selected);
    // The selection may have refilled the entry line; put it back as it was.
    state::CounterModel& counter = form_.Counter;
    const int first = entry ? entry->first : selected;
    if (first < 0)
        counter.clear();
    else
        counter.fillFrom(first);
    if (!entry || entry->entry == 0)
        counter.selectFirstEntry();
    else
        counter.setEditText(std::move(entry->edit));
    counter.setCaret(entry ? entry->caret : 0);
}

// Texts are counted back from the newest, as the highlight reads the last few steps.
std::pair<std::size_t, std::size_t> StepJournal::recordsOf(std::size_t index) const {
    const std::uint32_t first = steps_[index].changes;
    const std::size_t change = first - static_cast<std::uint32_t>(changes_.frontPosition());
    std::size_t text = texts_.size();
    while (text > 0 && static_cast<std::int32_t>(texts_[text - 1].at - first) >= 0)
        --text;
    return {change, text};
}

std::vector<int> StepJournal::registersChangedSince(long long from) const {
    const long long start = std::max(0LL, from - dropped_);
    if (start >= static_cast<long long>(steps_.size()))
        return {};
    auto [change, text] = recordsOf(static_cast<std::size_t>(start));
    std::vector<char> seen(static_cast<std::size_t>(form_.Reg.count()), 0);
    std::vector<int> out;
    for (; change < changes_.size(); ++change) {
        const LineChange& c = changes_[change];
        const std::string* before = c.hasText ? &texts_[text++].item : nullptr;
        if (c.list != RegList || c.kind != Kind::Replaced || !form_.Reg.validIndex(c.index) ||
            seen[static_cast<std::size_t>(c.index)])
            continue;
        seen[static_cast<std::size_t>(c.index)] = 1;
        const std::string old = before ? *before : state::registerLine(c.index, c.value);
        if (old != form_.Reg.line(c.index))
            out.push_back(c.index);
    }
    std::sort(out.begin(), out.end());
    return out;
}

// W before step `from` is what the first W change since then replaced, or,
// when none did, what W holds now.
bool StepJournal::wChangedSince(long long from) const {
    const long long start = std::max(0LL, from - dropped_);
    if (start >= static_cast<long long>(steps_.size()))
        return false;
    auto [change, text] = recordsOf(static_cast<std::size_t>(start));
    for (; change < changes_.size(); ++change) {
        const LineChange& c = changes_[change];
        const std::string* before = c.hasText ? &texts_[text++].item : nullptr;
        if (c.list == WBox)
            return (before ? *before : wText(c.value)) != form_.W.text();
    }
    return false;
}

} // namespace mirel::debug
