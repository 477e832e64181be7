#pragma once

#include "state/platform.h"
#include "system_tools.h"

class QWidget;

namespace mirel::shell {

// A modal message box with the given title and icon and one OK button, or
// OK and "Stop" during a run, or the buttons of a question; over the given
// window or else over the active one. Texts are UTF-8.
class QtMessageBox final : public state::MessageBoxService {
public:
    explicit QtMessageBox(QWidget* parent) : parent_(parent) {}
    void show(const std::string& text, const std::string& title, state::MessageIcon icon) override;
    state::MessageAnswer showWithStop(const std::string& text, const std::string& title,
                                      state::MessageIcon icon) override;
    state::SaveChangesAnswer askSaveChanges(const std::string& text,
                                            const std::string& title) override;
    state::ReplaceAnswer askReplace(const std::string& text, const std::string& title) override;
    state::YesNoAnswer askYesNo(const std::string& text, const std::string& title) override;

private:
    QWidget* parent_;
};

// The registry does not exist on this platform: every key fails to open, so
// the system-information tool is never found. Files and programs are real.
class QtSystemTools final : public SystemTools {
public:
    bool openKey(KeyRoot, const std::string&, Key&) override { return false; }
    bool queryValue(Key, const std::string&, std::uint32_t&, std::string&) override {
        return false;
    }
    void closeKey(Key) override {}
    bool fileExists(const std::string& path) override;
    bool startProgram(const std::string& path) override;
};

} // namespace mirel::shell
