#include "program_editor.h"

#include "renumbering.h"
#include "state/program_counter.h"

#include <algorithm>

namespace mirel::edit {

namespace {

// A stack line: the decimal index of a calling line; other text stays as it is.
std::optional<int> stackEntry(const std::string& line) {
    if (line.empty() || line.size() > 9 ||
        !std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(line);
}

} // namespace

ProgramEditor::ProgramEditor(state::MainForm& form, debug::Debugger& debugger)
    : form_(form), debugger_(debugger), wasRunning_(running()) {
    form_.Timer1.addObserver(this);
    form_.Code.addObserver(this);
}

ProgramEditor::~ProgramEditor() {
    form_.Code.removeObserver(this);
    form_.Timer1.removeObserver(this);
}

bool ProgramEditor::canInsertLine() const {
    return !running() && !form_.Code.empty();
}

// The only line stays, as Mirel keeps it: Enter needs a line to write into.
bool ProgramEditor::canDeleteLine() const {
    return !running() && form_.Code.count() > 1;
}

bool ProgramEditor::canUndo() const {
    return !running() && !undo_.empty();
}

bool ProgramEditor::canRedo() const {
    return !running() && !redo_.empty();
}

int ProgramEditor::point() const {
    return state::currentIndex(form_);
}

ProgramEditor::Snapshot ProgramEditor::snapshot() const {
    return {form_.Code.lines(), debugger_.breakpoints().lines(), form_.Code.selectedIndex(),
            form_.SPReg.lines()};
}

void ProgramEditor::keep(Step step) {
    undo_.push_back(std::move(step));
    if (undo_.size() > depth)
        undo_.pop_front();
    redo_.clear();
    notifyChanged();
}

bool ProgramEditor::insertLine() {
    refusal_.clear();
    if (!canInsertLine())
        return false;
    const int at = point();
    Step step{snapshot(), {}, at, +1};
    const auto lines = withNopInserted(step.before.lines, at);
    if (jumpsPastTheirRange(step.before.lines, lines)) {
        refusal_ = "No line inserted: a jump would have to go past address 07FF, which JMP and "
                   "JSR cannot reach.";
        return false;
    }
    // Inserted first, so that the marks below move down with their lines.
    form_.Code.insertAt(at, lines[static_cast<std::size_t>(at)]);
    apply(form_.Code, lines);
    shiftStack(at, +1);
    step.stackAfter = form_.SPReg.lines();
    select(at);
    keep(std::move(step));
    return true;
}

bool ProgramEditor::deleteLine() {
    if (!canDeleteLine())
        return false;
    const int at = point();
    Step step{snapshot(), {}, at, -1};
    const auto lines = withLineDeleted(step.before.lines, at);
    form_.Code.removeAt(at);
    apply(form_.Code, lines);
    shiftStack(at, -1);
    step.stackAfter = form_.SPReg.lines();
    select(std::min(at, form_.Code.count() - 1));
    keep(std::move(step));
    return true;
}

bool ProgramEditor::undo() {
    if (!canUndo())
        return false;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back({snapshot(), {}, step.index, step.delta});
    show(step.before);
    restoreStack(step, -step.delta);
    redo_.back().stackAfter = form_.SPReg.lines();
    notifyChanged();
    return true;
}

bool ProgramEditor::redo() {
    if (!canRedo())
        return false;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back({snapshot(), {}, step.index, step.delta});
    show(step.before);
    restoreStack(step, step.delta);
    undo_.back().stackAfter = form_.SPReg.lines();
    notifyChanged();
    return true;
}

void ProgramEditor::record(const std::function<void()>& edit) {
    Snapshot before = snapshot();
    edit();
    if (form_.Code.lines() == before.lines)
        return;
    keep({std::move(before), form_.SPReg.lines(), 0, 0});
}

void ProgramEditor::show(const Snapshot& s) {
    apply(form_.Code, s.lines);
    auto& marks = debugger_.breakpoints();
    for (int i = 0; i < form_.Code.count(); ++i)
        marks.set(i, std::binary_search(s.breakpoints.begin(), s.breakpoints.end(), i));
    select(s.selected);
}

// Rewrites only the lines that differ, so that the views repaint those and
// the marks of the lines around keep their places.
void ProgramEditor::apply(state::TextList& code, const std::vector<std::string>& lines) {
    const std::vector<std::string> old = code.lines();
    const std::size_t shorter = std::min(old.size(), lines.size());
    std::size_t head = 0;
    while (head < shorter && old[head] == lines[head])
        ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && old[old.size() - 1 - tail] == lines[lines.size() - 1 - tail])
        ++tail;
    const int from = static_cast<int>(head);
    const int was = static_cast<int>(old.size() - head - tail);
    const int now = static_cast<int>(lines.size() - head - tail);
    // Renumbered lines are not told of as they are rewritten; their marks
    // are still kept.
    debugger_.holdNotices(true);
    for (int i = 0; i < std::min(was, now); ++i)
        code.replaceAt(from + i, lines[head + static_cast<std::size_t>(i)]);
    for (int i = was; i < now; ++i)
        code.insertAt(from + i, lines[head + static_cast<std::size_t>(i)]);
    for (int i = now; i < was; ++i)
        code.removeAt(from + now);
    debugger_.holdNotices(false);
}

// The stack as it was, unless steps changed it since the edit; then its
// entries follow the lines back.
void ProgramEditor::restoreStack(const Step& step, int delta) {
    if (form_.SPReg.lines() == step.stackAfter)
        apply(form_.SPReg, step.before.stack);
    else
        shiftStack(step.index, delta);
}

// The return stack holds indices of calling lines: they move with the lines.
// A call whose line went returns to the line that took its place.
void ProgramEditor::shiftStack(int index, int delta) {
    state::TextList& stack = form_.SPReg;
    for (int i = 1; i < stack.count(); ++i) {
        const auto entry = stackEntry(stack.line(i));
        if (!entry)
            continue;
        int moved = *entry;
        if (delta > 0 && moved >= index)
            moved += delta;
        else if (delta < 0 && (moved > index || (moved == index && index > 0)))
            moved += delta;
        if (moved != *entry)
            stack.replaceAt(i, std::to_string(moved));
    }
}

// The entry line shows the selected line afresh, also when it stayed selected.
void ProgramEditor::select(int line) {
    state::TextList& code = form_.Code;
    if (!code.validIndex(line))
        code.clearSelection();
    else if (code.selectedIndex() != line) {
        code.select(line);
        return;
    }
    state::Code_Click(form_);
}

void ProgramEditor::changed() {
    if (running() == wasRunning_)
        return;
    wasRunning_ = running();
    notifyChanged();
}

// New and Open start another program: nothing of the old one can be undone.
void ProgramEditor::linesReset() {
    undo_.clear();
    redo_.clear();
    notifyChanged();
}

} // namespace mirel::edit
