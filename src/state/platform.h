#pragma once

#include <string>

namespace mirel::state {

enum class MessageIcon { None, Information, Exclamation, Critical };

enum class MessageAnswer { Ok, Stop };

enum class SaveChangesAnswer { Save, Discard, Cancel };

enum class ReplaceAnswer { Yes, No };
enum class YesNoAnswer { Yes, No };

// A modal message box with one OK button; returns when the user closed it.
// Texts and titles are UTF-8.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual void show(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // The box of a message that comes during a run: a second button "Stop"
    // lets the user end a run that would show it on every tick. Services
    // without that button answer OK.
    virtual MessageAnswer showWithStop(const std::string& text, const std::string& title,
                                       MessageIcon icon) {
        show(text, title, icon);
        return MessageAnswer::Ok;
    }
    // The question before a changed program is given up: Save, Discard or
    // Cancel. Services that cannot ask keep the program.
    virtual SaveChangesAnswer askSaveChanges(const std::string& /*text*/,
                                             const std::string& /*title*/) {
        return SaveChangesAnswer::Cancel;
    }
    // The question before an existing file is overwritten: Yes or No.
    // Services that cannot ask keep the file.
    virtual ReplaceAnswer askReplace(const std::string& /*text*/, const std::string& /*title*/) {
        return ReplaceAnswer::No;
    }
    // A question whose answer Yes is the likely one (a file that looks like
    // another type: open it as that?). Services that cannot ask answer No.
    virtual YesNoAnswer askYesNo(const std::string& /*text*/, const std::string& /*title*/) {
        return YesNoAnswer::No;
    }
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
