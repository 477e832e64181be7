#pragma once

#include "state/main_form.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace mirel::debug {

// What each step changed, newest last, so that steps can be taken back one
// by one. Register and stack lines are heard through the lists' own change
// events while a step runs; the few small controls are noted before it.
//
// Any change outside a step or a take-back (W typed, a program line edited,
// a new program) makes the recorded steps meaningless: the journal empties.
class StepJournal final : private state::ChangeObserver {
public:
    static constexpr std::size_t maxSteps = 100000;

    explicit StepJournal(state::MainForm& form);
    ~StepJournal() override;
    StepJournal(const StepJournal&) = delete;
    StepJournal& operator=(const StepJournal&) = delete;

    void beginStep();
    void endStep(int cycles);

    std::size_t size() const { return steps_.size(); }
    bool empty() const { return steps_.empty(); }
    // Steps recorded since the journal last emptied, including those dropped
    // for room: a mark that stays valid while steps come and go.
    long long position() const { return dropped_ + static_cast<long long>(steps_.size()); }

    // Takes the last step back; its cycles, or -1 when there is none.
    int undo();
    void clear();

    // Register lines that differ from what they held before step `from`
    // (as far back as the journal reaches), and whether W does.
    std::vector<int> registersChangedSince(long long from) const;
    bool wChangedSince(long long from) const;

private:
    enum class Kind : std::uint8_t { Replaced, Inserted, Removed };
    enum List : std::uint8_t { RegList, StackList };
    // 8 bytes: a register line that is the standard text of its value keeps
    // only the value; other lines keep their text in texts_.
    struct LineChange {
        std::int32_t index;
        std::uint8_t list;
        Kind kind;
        std::uint8_t value;
        bool hasText;
    };
    struct Step {
        std::string w;
        std::string counterEdit; // only when the entry line is not its first entry
        std::int32_t selected;
        std::int32_t counterFirst;
        std::int32_t counterCaret;
        std::uint32_t changes = 0;
        std::uint32_t texts = 0;
        std::uint16_t lamps;
        std::uint16_t boxesShown;
        std::uint16_t boxesEnabled;
        std::int8_t counterEntry;
        std::uint8_t cycles = 0;
    };

    class ListWatch;
    friend class ListWatch;

    void lineChanged(List list, Kind kind, int index);
    void linesReset(List list);
    void changed() override; // W
    void outsideChange();
    void dropOldest();
    void restore(const LineChange& change, std::string text);
    void restoreControls(const Step& step);
    std::vector<std::string>& shadow(List list) { return list == RegList ? regShadow_ : spShadow_; }
    state::TextList& model(List list) { return list == RegList ? form_.Reg : form_.SPReg; }

    state::MainForm& form_;
    std::deque<Step> steps_;
    std::deque<LineChange> changes_;
    std::deque<std::string> texts_;
    long long dropped_ = 0;
    // The lists' lines as they were before the latest change, to know what a change replaced.
    std::vector<std::string> regShadow_;
    std::vector<std::string> spShadow_;
    bool recording_ = false;
    bool replaying_ = false;
    std::unique_ptr<ListWatch> regWatch_, stackWatch_, codeWatch_;
};

} // namespace mirel::debug
