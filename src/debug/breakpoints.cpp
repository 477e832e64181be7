#include "breakpoints.h"

namespace mirel::debug {

Breakpoints::Breakpoints(state::TextList& code)
    : code_(code), marks_(static_cast<std::size_t>(code.count()), 0) {}

void Breakpoints::toggle(int line) {
    set(line, !has(line));
}

void Breakpoints::set(int line, bool on) {
    if (!code_.validIndex(line) || has(line) == on)
        return;
    marks_[static_cast<std::size_t>(line)] = on ? 1 : 0;
    notifyChanged();
}

std::vector<int> Breakpoints::lines() const {
    std::vector<int> out;
    for (std::size_t i = 0; i < marks_.size(); ++i)
        if (marks_[i])
            out.push_back(static_cast<int>(i));
    return out;
}

void Breakpoints::lineInserted(int index) {
    marks_.insert(marks_.begin() + index, 0);
}

void Breakpoints::lineRemoved(int index) {
    const bool had = has(index);
    marks_.erase(marks_.begin() + index);
    if (had)
        notifyChanged();
}

// New and Open replace the whole program: no line keeps a mark.
void Breakpoints::linesReset() {
    marks_.assign(static_cast<std::size_t>(code_.count()), 0);
    notifyChanged();
}

} // namespace mirel::debug
