#pragma once

#include "state/main_form.h"
#include "state/register_values.h"

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

    void setQuiet(bool on) { quiet_ = on; }
    bool quiet() const { return quiet_; }

    // From here on the highlight shows what changes.
    void startHighlight() {
        if (++epoch_ == 0) [[unlikely]]
            restartEpochs();
    }
    // Register lines whose text differs from when the highlight started, ascending.
    std::vector<int> changedRegisters() const;
    bool wChanged() const { return wMark_ == epoch_ && wBefore_ != form_.W.text(); }

private:
    struct Line {
        std::uint8_t value, wellFormed;
    };
    class Others;

    void registerWritten(int index, std::uint8_t value) override {
        const auto at = static_cast<std::size_t>(index);
        if (marks_[at] != epoch_)
            keepBefore(at);
        now_[at] = Line{value, 1};
        if (!quiet_) [[unlikely]]
            outside_();
    }
    void keepBefore(std::size_t at) {
        marks_[at] = epoch_;
        before_[at] = now_[at];
        if (!now_[at].wellFormed) [[unlikely]]
            beforeTexts_[at] = nowTexts_[at];
    }
    void registerTextChanged(Event event, int index) override;
    void changed() override; // W
    void readLine(std::size_t at);
    void readAll();
    void restartEpochs();
    std::string text(int index, const Line& line, const std::string& typed) const;

    state::MainForm& form_;
    std::function<void()> outside_;
    bool quiet_ = false;
    std::uint32_t epoch_ = 1;
    // Reg as it stands and as it stood when the highlight started: values,
    // and texts of lines typed by hand; marks_ says which lines changed since.
    std::vector<Line> now_, before_;
    std::vector<std::uint32_t> marks_;
    std::vector<std::string> nowTexts_, beforeTexts_;
    std::string w_, wBefore_;
    std::uint32_t wMark_ = 0;
    std::unique_ptr<Others> others_;
};

} // namespace mirel::debug
