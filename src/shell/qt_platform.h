#pragma once

#include "state/platform.h"

class QWidget;

namespace mirel::shell {

// A modal message box with the given title and icon and one OK button, or
// OK and "Stop" during a run.
class QtMessageBox final : public state::MessageBoxService {
public:
    explicit QtMessageBox(QWidget* parent) : parent_(parent) {}
    void show(const std::string& text, const std::string& title, state::MessageIcon icon) override;
    state::MessageAnswer showWithStop(const std::string& text, const std::string& title,
                                      state::MessageIcon icon) override;

private:
    QWidget* parent_;
};

// Moves and sizes the main window to its placement, in twips: left, top,
// outer width and outer height, in this order. Until the settings store is
// wired in, the placement is the default one.
class QtWindowPlacement final : public state::WindowPlacement {
public:
    explicit QtWindowPlacement(QWidget& window) : window_(window) {}
    void restorePlacement() override;

private:
    QWidget& window_;
};

} // namespace mirel::shell
