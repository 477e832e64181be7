#pragma once

#include "state/controls.h"
#include "state/text_list.h"

#include <vector>

namespace mirel::debug {

// The program lines a run stops at. A mark belongs to its line: lines
// inserted or removed above it move it along; a new program clears all.
// Listeners hear when the marks change. The owner tells it of every change
// of Code's lines: one observer of Code for the whole debugger keeps the
// selection change of each Step cheap.
class Breakpoints final : public state::Observable {
public:
    explicit Breakpoints(state::TextList& code);
    Breakpoints(const Breakpoints&) = delete;
    Breakpoints& operator=(const Breakpoints&) = delete;

    // Asked after every step of a run.
    bool has(int line) const {
        return line >= 0 && line < static_cast<int>(marks_.size()) &&
               marks_[static_cast<std::size_t>(line)];
    }
    void toggle(int line);
    void set(int line, bool on);
    // One mark per line of Code, for a core that checks every step.
    const std::vector<char>& marks() const { return marks_; }
    // The marked lines, first to last.
    std::vector<int> lines() const;
    // Whether the line to execute next carries a mark.
    bool atSelection() const { return has(code_.selectedIndex()); }

    // Code's lines changed.
    void lineInserted(int index);
    void lineRemoved(int index);
    void linesReset();

private:
    state::TextList& code_;
    std::vector<char> marks_; // one per line of Code
};

} // namespace mirel::debug
