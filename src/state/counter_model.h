#pragma once

#include "observer_list.h"
#include "text_list.h"

#include <string>

namespace mirel::state {

class CounterObserver {
public:
    virtual ~CounterObserver() = default;
    // The list of entries was cleared or refilled.
    virtual void entriesReset() {}
    // The edit text or the caret changed.
    virtual void editChanged() {}
};

// The program counter view and entry line: a combo box whose list shows the
// program from one line of Code to the end, tabs shown as five blanks.
//
// The list is a view of Code from a start index, read on demand, so that a
// refill costs the same whatever the length of the program.
class CounterModel {
public:
    explicit CounterModel(const TextList& code) : code_(code) {}
    CounterModel(const CounterModel&) = delete;
    CounterModel& operator=(const CounterModel&) = delete;

    int entryCount() const;
    // The line of Code that entry 0 shows; -1 when the list is empty.
    int firstLine() const { return first_; }
    std::string entry(int i) const;

    void clear();
    // The list becomes the lines of Code from `first` to the last.
    void fillFrom(int first);
    // Selecting entry 0 puts it into the edit field; nothing when the list is empty.
    void selectFirstEntry();
    int selectedEntry() const { return selectedEntry_; }

    const std::string& editText() const { return editText_; }
    int caret() const { return caret_; }
    void setEditText(std::string text);
    void setCaret(int position);
    void caretToEnd() { setCaret(static_cast<int>(editText_.size())); }

    void addObserver(CounterObserver* o) { observers_.add(o); }
    void removeObserver(CounterObserver* o) { observers_.remove(o); }

private:
    const TextList& code_;
    int first_ = -1; // -1: the list is empty
    int selectedEntry_ = -1;
    std::string editText_;
    int caret_ = 0;
    ObserverList<CounterObserver> observers_;
};

} // namespace mirel::state
