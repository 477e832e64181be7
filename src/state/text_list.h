#pragma once

#include "observer_list.h"

#include <string>
#include <vector>

namespace mirel::state {

// What a list view wants to hear: which rows changed, so that it repaints only those.
class TextListObserver {
public:
    virtual ~TextListObserver() = default;
    virtual void lineInserted(int /*index*/) {}
    virtual void lineRemoved(int /*index*/) {}
    virtual void lineReplaced(int /*index*/) {}
    virtual void linesReset() {}
    // The selection was set, by a click or by the logic: this is the list's click event.
    virtual void selectionChanged(int /*selected*/) {}
    // The selected line moved or went away because lines were inserted or removed;
    // no click happened, only the highlight follows.
    virtual void selectionShifted(int /*selected*/) {}
};

// An ordered list of 8-bit text lines with an optional single selection,
// the model behind Reg, Code and SPReg.
class TextList {
public:
    TextList() = default;
    TextList(const TextList&) = delete;
    TextList& operator=(const TextList&) = delete;

    int count() const { return static_cast<int>(lines_.size()); }
    bool empty() const { return lines_.empty(); }
    bool validIndex(int i) const { return i >= 0 && i < count(); }
    const std::string& line(int i) const { return lines_.at(static_cast<std::size_t>(i)); }
    const std::vector<std::string>& lines() const { return lines_; }

    void append(std::string text);
    void insertAt(int i, std::string text);
    void removeAt(int i);
    // Same result as removeAt(i) followed by insertAt(i, text), but the selection stays.
    void replaceAt(int i, std::string text);
    void clear();
    // Replaces every line at once; the views reset instead of hearing each row.
    void assign(std::vector<std::string> lines);

    // -1 when no line is selected.
    int selectedIndex() const { return selected_; }
    bool isSelected(int i) const { return i >= 0 && i == selected_; }
    // Selecting the line that is already selected is no change and tells nobody.
    void select(int i);
    // No line selected any more; the views follow, no click happens.
    void clearSelection();

    void addObserver(TextListObserver* o) { observers_.add(o); }
    void removeObserver(TextListObserver* o) { observers_.remove(o); }

private:
    void shiftSelection(int i);

    std::vector<std::string> lines_;
    int selected_ = -1;
    ObserverList<TextListObserver> observers_;
};

} // namespace mirel::state
