#pragma once

#include "observer_list.h"
#include "text_list.h"

#include <algorithm>
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

    int entryCount() const { return first_ < 0 ? 0 : std::max(0, code_.count() - first_); }
    // The line of Code that entry 0 shows; -1 when the list is empty.
    int firstLine() const { return first_; }
    std::string entry(int i) const;

    // These three run on every step of a run: they only note what the view
    // shows and tell the observers.
    void clear() {
        first_ = -1;
        selectedEntry_ = -1;
        editText_.clear();
        editIsFirstEntry_ = false;
        caret_ = 0;
        observers_.notify([](CounterObserver& o) { o.entriesReset(); });
        observers_.notify([](CounterObserver& o) { o.editChanged(); });
    }
    // The list becomes the lines of Code from `first` to the last.
    void fillFrom(int first) {
        first_ = std::max(0, first);
        selectedEntry_ = -1;
        observers_.notify([](CounterObserver& o) { o.entriesReset(); });
    }
    // Selecting entry 0 puts it into the edit field; nothing when the list is empty.
    void selectFirstEntry() {
        if (entryCount() == 0)
            return;
        selectedEntry_ = 0;
        editIsFirstEntry_ = true;
        caret_ = 0;
        observers_.notify([](CounterObserver& o) { o.editChanged(); });
    }
    int selectedEntry() const { return selectedEntry_; }
    // clear, fillFrom(first) and selectFirstEntry in one. Unwatched, the view
    // only notes the line it ends up showing.
    void showFrom(int first) {
        if (!observers_.empty()) {
            clear();
            fillFrom(first);
            selectFirstEntry();
            return;
        }
        first_ = std::max(0, first);
        caret_ = 0;
        editIsFirstEntry_ = entryCount() > 0;
        selectedEntry_ = editIsFirstEntry_ ? 0 : -1;
        if (!editIsFirstEntry_)
            editText_.clear();
    }

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
