#pragma once

#include "shell/frm_main.h"

#include <memory>

namespace mirel::bench {

// The main window, shown on the offscreen platform unless another is chosen,
// holding a 40,000-line program of register increments from line 0.
class LongProgramWindow {
public:
    static constexpr int lines = 40000;

    LongProgramWindow();
    shell::frmMain& window() { return *window_; }
    state::MainForm& form() { return window_->form(); }
    void click(const char* button);

private:
    std::unique_ptr<shell::frmMain> window_;
};

// Sets the offscreen platform when none was asked for; before QApplication.
void preferOffscreen();

} // namespace mirel::bench
