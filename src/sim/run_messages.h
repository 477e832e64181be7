#pragma once

#include "state/main_form.h"
#include "state/platform.h"

#include <utility>

namespace mirel::sim {

// Stands between the simulator and the message box. During a run the box
// offers "Stop" beside OK, and the run control hears that a box was shown
// (its ticks start no step meanwhile, and nothing is caught up after it).
class RunMessages final : public state::MessageBoxService {
public:
    RunMessages(const state::MainForm& form, state::MessageBoxService& boxes)
        : form_(form), boxes_(boxes) {}

    void show(const std::string& text, const std::string& title, state::MessageIcon icon) override;
    state::MessageAnswer showWithStop(const std::string& text, const std::string& title,
                                      state::MessageIcon icon) override {
        return boxes_.showWithStop(text, title, icon);
    }

    // Whether a box was shown during the run since the last call.
    bool takeShown() { return std::exchange(shown_, false); }
    // Whether the user closed such a box with Stop since the last call.
    bool takeStop() { return std::exchange(stop_, false); }

private:
    const state::MainForm& form_;
    state::MessageBoxService& boxes_;
    bool shown_ = false;
    bool stop_ = false;
};

} // namespace mirel::sim
