#pragma once

#include "debug/debugger.h"
#include "state/main_form.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace mirel::edit {

// Insert Line and Delete Line, and Undo and Redo of every edit of the
// program: a line written with Enter, a line taken back with Mirel, a line
// inserted or deleted. Nothing is edited while a run is on; New and Open
// forget what could be undone. Listeners hear when what is possible changed.
class ProgramEditor final : public state::Observable,
                            private state::ChangeObserver,
                            private state::TextListObserver {
public:
    ProgramEditor(state::MainForm& form, debug::Debugger& debugger);
    ~ProgramEditor() override;
    ProgramEditor(const ProgramEditor&) = delete;
    ProgramEditor& operator=(const ProgramEditor&) = delete;

    bool canInsertLine() const;
    bool canDeleteLine() const;
    bool canUndo() const;
    bool canRedo() const;

    // A NOP before the selected line, which it then is. Refused, with
    // refusal() saying why, when it would move a jump's target past 07FF.
    bool insertLine();
    // Why the last insertLine did nothing; empty when it inserted.
    const std::string& refusal() const { return refusal_; }
    // The selected line goes; the line that followed it is selected.
    bool deleteLine();
    bool undo();
    bool redo();

    // Runs an edit of the program's own kind (Enter, Mirel) so that Undo can
    // take it back; one that changed nothing is not kept.
    void record(const std::function<void()>& edit);

    // How many edits are kept for Undo.
    static constexpr std::size_t depth = 200;

private:
    // The program as the user sees it: its lines, marks and selection, and
    // the return stack, whose entries are indices of lines.
    struct Snapshot {
        std::vector<std::string> lines;
        std::vector<int> breakpoints;
        int selected = -1;
        std::vector<std::string> stack;
    };
    // One edit: the program before it, the stack after it, and how it moved
    // the lines (by one at `index`: +1 inserted, -1 deleted, 0 none). A stack
    // that steps changed since follows the move instead of coming back.
    struct Step {
        Snapshot before;
        std::vector<std::string> stackAfter;
        int index = 0;
        int delta = 0;
    };

    bool running() const { return form_.Timer1.enabled(); }
    int point() const;
    Snapshot snapshot() const;
    void keep(Step step);
    void show(const Snapshot& s);
    void restoreStack(const Step& step, int delta);
    void apply(state::TextList& list, const std::vector<std::string>& lines);
    void shiftStack(int index, int delta);
    void select(int line);

    void changed() override; // Timer1: a run starts or ends
    void lineInserted(int) override { notifyChanged(); }
    void lineRemoved(int) override { notifyChanged(); }
    void linesReset() override; // New or Open

    state::MainForm& form_;
    debug::Debugger& debugger_;
    std::deque<Step> undo_;
    std::vector<Step> redo_;
    bool wasRunning_ = false;
    std::string refusal_;
};

} // namespace mirel::edit
