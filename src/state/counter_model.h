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
// refill costs the same whatever the length of the program. The edit text a
// refill selects is made when it is read, or before Code changes, so every
// step of a run may refill the view without building text nobody reads.
class CounterModel final : private TextListObserver {
public:
    explicit CounterModel(TextList& code);
    ~CounterModel() override;
    CounterModel(const CounterModel&) = delete;
    CounterModel& operator=(const CounterModel&) = delete;

    int entryCount() const;
    std::string entry(int i) const;

    void clear();
    // The list becomes the lines of Code from `first` to the last.
    void fillFrom(int first);
    // Selecting entry 0 puts it into the edit field; nothing when the list is empty.
    void selectFirstEntry();
    int selectedEntry() const { return selectedEntry_; }

    const std::string& editText() const;
    int caret() const { return caret_; }
    void setEditText(std::string text);
    void setCaret(int position);
    void caretToEnd() { setCaret(static_cast<int>(editText().size())); }

    void addObserver(CounterObserver* o) { observers_.add(o); }
    void removeObserver(CounterObserver* o) { observers_.remove(o); }

private:
    void linesAboutToChange() override { editText(); }

    TextList& code_;
    int first_ = -1; // -1: the list is empty
    int selectedEntry_ = -1;
    mutable std::string editText_;
    mutable bool editIsFirstEntry_ = false; // editText_ is still to be made from entry 0
    int caret_ = 0;
    ObserverList<CounterObserver> observers_;
};

} // namespace mirel::state
