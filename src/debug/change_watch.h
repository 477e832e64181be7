#pragma once

#include "kept_text.h"
#include "state/main_form.h"
#include "state/register_values.h"
#include "watches.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mirel::debug {

// Tells the machine's own changes (a step, a run's views catching up, a
// take-back: the owner says when, by `quiet`) from the user's: a register line
// or W typed, the stack changed. And it keeps, for the change highlight, each
// register line and W as they were when the highlight last started, copied on
// their first change since then: a step pays for what it changes, nothing more.
class ChangeWatch final : private state::RegisterWatch, private state::ChangeObserver {
public:
    // `outside` hears a change of the user's; `ticked` the user ticking an input box.
    ChangeWatch(state::MainForm& form, std::function<void()> outside, std::function<void()> ticked);
    ~ChangeWatch() override;
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    void setQuiet(bool on) {
        unusual_ = static_cast<std::uint8_t>((unusual_ & heard) | (on ? 0 : loud));
    }
    // The same while no watches hear the writes, in one store.
    void setQuietUnheard(bool on) { unusual_ = on ? 0 : loud; }
    // While set, the watches hear every write of a register line or W.
    void setWrites(WatchList* writes) {
        writes_ = writes;
        unusual_ = static_cast<std::uint8_t>((unusual_ & loud) | (writes ? heard : 0));
    }
    bool quiet() const { return (unusual_ & loud) == 0; }

    // From here on the highlight shows what changes. Each start is an epoch
    // of its own; false when the epochs started again from the first.
    bool startHighlight() {
        if (++epoch_ == 0) [[unlikely]] {
            restartEpochs();
            return false;
        }
        return true;
    }
    std::uint32_t epoch() const { return epoch_; }
    // Highlights start once a Step, so the count wraps only after billions of them.
    // Register lines whose text differs from when the highlight started, ascending.
    std::vector<int> changedRegisters() const;
    bool wChanged() const { return wMark_ == epoch_ && !wBefore_.equals(form_.W.text()); }
    // Whether any register line holds a text typed by hand.
    bool anyTyped() const { return typed_ != 0; }

private:
    // A register line now, and as it was when the highlight started if
    // `mark` is the highlight's epoch; the texts of lines typed by hand wait in texts_.
    struct Line {
        std::uint32_t mark;
        std::uint8_t value, wellFormed, valueBefore, wellFormedBefore;
    };
    struct Texts {
        std::string now, before;
    };
    class Others;

    // The common write, over a standard line during a step, calls nothing.
    void registerWritten(int index, std::uint8_t value) override {
        Line& line = lines_[static_cast<std::size_t>(index)];
        const Line was = line;
        const bool first = was.mark != epoch_;
        line = first ? Line{epoch_, value, 1, was.value, was.wellFormed}
                     : Line{epoch_, value, 1, was.valueBefore, was.wellFormedBefore};
        if (!was.wellFormed || unusual_ != 0) [[unlikely]]
            unusualWrite(index, was.mark, was.wellFormed);
    }
    void registerRewritten(int index) override {
        if (writes_)
            writes_->written(index);
    }
    // The line was marked `wasMark` and held a text typed by hand unless `wasWellFormed`.
    void unusualWrite(int index, std::uint32_t wasMark, bool wasWellFormed);
    void keepBefore(Line& line) {
        line.mark = epoch_;
        line.valueBefore = line.value;
        line.wellFormedBefore = line.wellFormed;
        if (!line.wellFormed)
            keepTextBefore(line);
    }
    void keepTextBefore(const Line& line);
    void registerTextChanged(Event event, int index) override;
    void changed() override; // W
    void readLine(std::size_t at);
    void readAll();
    void restartEpochs();
    static std::string text(int index, bool wellFormed, int value, const std::string& typed);

    state::MainForm& form_;
    std::function<void()> outside_;
    // A write is the user's (loud) or heard by the watches; nothing to do but
    // mark the highlight while neither.
    static constexpr std::uint8_t loud = 1, heard = 2;
    std::uint8_t unusual_ = loud;
    WatchList* writes_ = nullptr;
    std::uint32_t epoch_ = 1;
    std::vector<Line> lines_;
    std::size_t typed_ = 0; // lines_ not well formed
    std::vector<Texts> texts_;
    KeptText w_, wBefore_;
    std::uint32_t wMark_ = 0;
    std::unique_ptr<Others> others_;
};

} // namespace mirel::debug
