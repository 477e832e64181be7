#pragma once

#include "observer_list.h"

#include <string>
#include <vector>

namespace mirel::state {

// What a list view wants to hear: which rows changed, so that it repaints only those.
class TextListObserver {
public:
    virtual ~TextListObserver() = default;
    // Lines are about to be inserted, removed, replaced or reset: the list
    // still reads as it stood.
    virtual void linesAboutToChange() {}
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

// Keeps the lines of a list in another form (Reg keeps values) and writes a
// line's text only when someone reads it. Text put into the list the ordinary
// way is handed to it before any observer hears of the change.
class LineMaker {
public:
    virtual ~LineMaker() = default;
    virtual void makeLine(int index, std::string& text) const = 0;
    virtual void textInserted(int index) = 0;
    virtual void textRemoved(int index) = 0;
    virtual void textReplaced(int index) = 0;
    virtual void textReset() = 0;
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
    const std::string& line(int i) const {
        const std::string& text = lines_.at(static_cast<std::size_t>(i));
        if (maker_ && unmade_[static_cast<std::size_t>(i)])
            makeLine(i);
        return text;
    }
    const std::vector<std::string>& lines() const;

    void append(std::string text);
    void insertAt(int i, std::string text);
    void removeAt(int i);
    // Same result as removeAt(i) followed by insertAt(i, text), but the selection stays.
    void replaceAt(int i, std::string text);
    void clear();
    // Replaces every line at once; the views reset instead of hearing each row.
    void assign(std::vector<std::string> lines);

    // `apply` changes what the maker holds for line i; the text is made when
    // read. Observers hear it as a replaced line.
    template <typename Apply> void changeMadeLine(int i, Apply&& apply) {
        checkMade(i);
        aboutToChange();
        apply();
        unmade_[static_cast<std::size_t>(i)] = 1;
        observers_.notify([i](TextListObserver& o) { o.lineReplaced(i); });
    }
    void setLineMaker(LineMaker* maker);

    // -1 when no line is selected.
    int selectedIndex() const { return selected_; }
    bool isSelected(int i) const { return i >= 0 && i == selected_; }
    // Selecting the line that is already selected is no change and tells nobody.
    void select(int i);
    // No line selected any more; the views follow, no click happens.
    void clearSelection();

    void addObserver(TextListObserver* o) {
        observers_.add(o);
        selectionObservers_.add(o);
    }
    // Hears the lines only: a Step's selection change does not call it.
    void addLineObserver(TextListObserver* o) { observers_.add(o); }
    void removeObserver(TextListObserver* o) {
        observers_.remove(o);
        selectionObservers_.remove(o);
    }

private:
    void shiftSelection(int i);
    void makeLine(int i) const;
    void aboutToChange() {
        observers_.notify([](TextListObserver& o) { o.linesAboutToChange(); });
    }
    void checkMade(int i) const;

    mutable std::vector<std::string> lines_;
    mutable std::vector<unsigned char> unmade_; // kept only with a maker
    LineMaker* maker_ = nullptr;
    int selected_ = -1;
    ObserverList<TextListObserver> observers_;
    ObserverList<TextListObserver> selectionObservers_;
};

} // namespace mirel::state
