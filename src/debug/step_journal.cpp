#include "step_journal.h"

#include "state/register_file.h"

#include <algorithm>
#include <optional>

namespace mirel::debug {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Whether `line` is exactly the standard text of register `index` holding
// some value, and which: such a line is kept as one byte instead of its text.
bool standardRegisterLine(const std::string& line, int index, std::uint8_t& value) {
    static constexpr char digits[] = "0123456789ABCDEF";
    if (line.size() != 18 || line[4] != '\t' || line.compare(7, 3, "   ") != 0)
        return false;
    for (int k = 0; k < 4; ++k)
        if (line[static_cast<std::size_t>(k)] != digits[(index >> (12 - 4 * k)) & 15])
            return false;
    const int high = hexDigit(line[5]);
    const int low = hexDigit(line[6]);
    if (high < 0 || low < 0)
        return false;
    const int v = high * 16 + low;
    for (int b = 0; b < 8; ++b)
        if (line[static_cast<std::size_t>(10 + b)] != (((v >> (7 - b)) & 1) ? '1' : '0'))
            return false;
    value = static_cast<std::uint8_t>(v);
    return true;
}

} // namespace

// Hears one list for the journal. Program lines never change in a step: any
// change of them is the user's.
class StepJournal::ListWatch final : public state::TextListObserver {
public:
    ListWatch(StepJournal& journal, state::TextList& list, std::optional<List> kind)
        : journal_(journal), list_(list), kind_(kind) {
        list_.addObserver(this);
    }
    ~ListWatch() override { list_.removeObserver(this); }

    void lineInserted(int index) override { tell(Kind::Inserted, index); }
    void lineRemoved(int index) override { tell(Kind::Removed, index); }
    void lineReplaced(int index) override { tell(Kind::Replaced, index); }
    void linesReset() override {
        if (kind_)
            journal_.linesReset(*kind_);
        else
            journal_.outsideChange();
    }

private:
    void tell(Kind kind, int index) {
        if (kind_)
            journal_.lineChanged(*kind_, kind, index);
        else
            journal_.outsideChange();
    }
    StepJournal& journal_;
    state::TextList& list_;
    std::optional<List> kind_;
};

StepJournal::StepJournal(state::MainForm& form)
    : form_(form), regShadow_(form.Reg.lines()), spShadow_(form.SPReg.lines()),
      regWatch_(std::make_unique<ListWatch>(*this, form.Reg, RegList)),
      stackWatch_(std::make_unique<ListWatch>(*this, form.SPReg, StackList)),
      codeWatch_(std::make_unique<ListWatch>(*this, form.Code, std::nullopt)) {
    form_.W.addObserver(this);
}

StepJournal::~StepJournal() {
    form_.W.removeObserver(this);
}

void StepJournal::beginStep() {
    Step& step = steps_.emplace_back();
    step.w = form_.W.text();
    step.selected = form_.Code.selectedIndex();
    step.counterFirst = form_.Counter.firstLine();
    step.counterCaret = form_.Counter.caret();
    step.counterEntry = static_cast<std::int8_t>(form_.Counter.selectedEntry());
    // The first entry's text is the program line itself: no need to keep it.
    if (step.counterEntry != 0)
        step.counterEdit = form_.Counter.editText();
    unsigned lamps = 0, shown = 0, enabled = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        lamps |= (form_.RA[i].lit() ? 1u : 0u) << i | (form_.RB[i].lit() ? 1u : 0u) << (i + 8);
        shown |= (form_.InA[i].visible() ? 1u : 0u) << i | (form_.InB[i].visible() ? 1u : 0u)
                                                               << (i + 8);
        enabled |= (form_.InA[i].enabled() ? 1u : 0u) << i | (form_.InB[i].enabled() ? 1u : 0u)
                                                                 << (i + 8);
    }
    step.lamps = static_cast<std::uint16_t>(lamps);
    step.boxesShown = static_cast<std::uint16_t>(shown);
    step.boxesEnabled = static_cast<std::uint16_t>(enabled);
    recording_ = true;
}

void StepJournal::endStep(int cycles) {
    recording_ = false;
    if (steps_.empty())
        return;
    steps_.back().cycles = static_cast<std::uint8_t>(cycles);
    if (steps_.size() > maxSteps)
        dropOldest();
}

void StepJournal::lineChanged(List list, Kind kind, int index) {
    auto& lines = shadow(list);
    const auto at = static_cast<std::size_t>(index);
    if (recording_) {
        LineChange change{index, list, kind, 0, false};
        if (kind != Kind::Inserted &&
            !(list == RegList && standardRegisterLine(lines[at], index, change.value))) {
            texts_.push_back(lines[at]);
            change.hasText = true;
            ++steps_.back().texts;
        }
        changes_.push_back(change);
        ++steps_.back().changes;
    }
    switch (kind) {
    case Kind::Replaced:
        lines[at] = model(list).line(index);
        break;
    case Kind::Inserted:
        lines.insert(lines.begin() + index, model(list).line(index));
        break;
    case Kind::Removed:
        lines.erase(lines.begin() + index);
        break;
    }
    if (!recording_ && !replaying_)
        outsideChange();
}

void StepJournal::linesReset(List list) {
    shadow(list) = model(list).lines();
    if (!replaying_)
        outsideChange();
}

void StepJournal::changed() {
    if (!recording_ && !replaying_)
        outsideChange();
}

void StepJournal::outsideChange() {
    clear();
}

void StepJournal::clear() {
    recording_ = false;
    steps_.clear();
    changes_.clear();
    texts_.clear();
    dropped_ = 0;
}

void StepJournal::dropOldest() {
    const Step& oldest = steps_.front();
    changes_.erase(changes_.begin(), changes_.begin() + oldest.changes);
    texts_.erase(texts_.begin(), texts_.begin() + oldest.texts);
    steps_.pop_front();
    ++dropped_;
}

int StepJournal::undo() {
    if (steps_.empty() || recording_)
        return -1;
    replaying_ = true;
    const Step& step = steps_.back();
    for (std::uint32_t i = 0; i < step.changes; ++i) {
        const LineChange change = changes_.back();
        changes_.pop_back();
        std::string text;
        if (change.hasText) {
            text = std::move(texts_.back());
            texts_.pop_back();
        }
        restore(change, std::move(text));
    }
    restoreControls(step);
    const int cycles = step.cycles;
    steps_.pop_back();
    replaying_ = false;
    return cycles;
}

void StepJournal::restore(const LineChange& change, std::string text) {
    state::TextList& list = model(static_cast<List>(change.list));
    if (!change.hasText)
        text = state::registerLine(change.index, change.value);
    switch (change.kind) {
    case Kind::Replaced:
        list.replaceAt(change.index, std::move(text));
        break;
    case Kind::Inserted:
        list.removeAt(change.index);
        break;
    case Kind::Removed:
        list.insertAt(change.index, std::move(text));
        break;
    }
}

void StepJournal::restoreControls(const Step& step) {
    if (form_.W.text() != step.w)
        form_.W.setText(step.w);
    for (std::size_t i = 0; i < 8; ++i) {
        const auto picture = [&](int bit) {
            return (step.lamps >> bit) & 1 ? state::LampModel::Lit : state::LampModel::Dark;
        };
        form_.RA[i].setPicture(picture(static_cast<int>(i)));
        form_.RB[i].setPicture(picture(static_cast<int>(i) + 8));
        form_.InA[i].setVisible((step.boxesShown >> i) & 1);
        form_.InB[i].setVisible((step.boxesShown >> (i + 8)) & 1);
        form_.InA[i].setEnabled((step.boxesEnabled >> i) & 1);
        form_.InB[i].setEnabled((step.boxesEnabled >> (i + 8)) & 1);
    }
    if (step.selected < 0)
        form_.Code.clearSelection();
    else
        form_.Code.select(step.selected);
    // The selection may have refilled the entry line; put it back as it was.
    state::CounterModel& counter = form_.Counter;
    if (step.counterFirst < 0)
        counter.clear();
    else
        counter.fillFrom(step.counterFirst);
    if (step.counterEntry == 0)
        counter.selectFirstEntry();
    else
        counter.setEditText(step.counterEdit);
    counter.setCaret(step.counterCaret);
}

std::vector<int> StepJournal::registersChangedSince(long long from) const {
    const long long start = std::max(0LL, from - dropped_);
    if (start >= static_cast<long long>(steps_.size()))
        return {};
    std::size_t change = 0;
    std::size_t text = 0;
    for (long long s = 0; s < start; ++s) {
        change += steps_[static_cast<std::size_t>(s)].changes;
        text += steps_[static_cast<std::size_t>(s)].texts;
    }
    std::vector<char> seen(static_cast<std::size_t>(form_.Reg.count()), 0);
    std::vector<int> out;
    for (; change < changes_.size(); ++change) {
        const LineChange& c = changes_[change];
        const std::string* before = c.hasText ? &texts_[text++] : nullptr;
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

bool StepJournal::wChangedSince(long long from) const {
    const long long start = std::max(0LL, from - dropped_);
    if (start >= static_cast<long long>(steps_.size()))
        return false;
    return steps_[static_cast<std::size_t>(start)].w != form_.W.text();
}

} // namespace mirel::debug
