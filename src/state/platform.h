#pragma once

#include <string>

namespace mirel::state {

enum class MessageIcon { None, Information, Exclamation, Critical };

// A modal message box with one OK button; returns when the user closed it.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual void show(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

// The window's part of the load sequence: move and size the window to the
// stored placement. The core only says when; the shell knows how.
class WindowPlacement {
public:
    virtual ~WindowPlacement() = default;
    virtual void restorePlacement() = 0;
};

// For callers without a window (the batch driver, the tests of the core).
class NoWindowPlacement final : public WindowPlacement {
public:
    void restorePlacement() override {}
};

inline constexpr const char* applicationTitle = "Mirelsim";

} // namespace mirel::state
