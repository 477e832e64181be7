#pragma once

#include "files/file_dialog.h"
#include "state/platform.h"

#include <deque>
#include <string>
#include <vector>

namespace mirel::files {

// Answers each dialog with the next queued answer, or else the prepared one,
// and records what was asked.
class FakeFileDialogs final : public FileDialogService {
public:
    FileDialogAnswer answer;
    std::deque<FileDialogAnswer> queued;
    std::vector<FileDialogRequest> openAsked;
    std::vector<FileDialogRequest> saveAsked;

    FileDialogAnswer open(const FileDialogRequest& request) override {
        openAsked.push_back(request);
        return next();
    }
    FileDialogAnswer save(const FileDialogRequest& request) override {
        saveAsked.push_back(request);
        return next();
    }

private:
    FileDialogAnswer next() {
        if (queued.empty())
            return answer;
        FileDialogAnswer first = queued.front();
        queued.pop_front();
        return first;
    }
};

// Records messages and questions; questions get the prepared answers.
class RecordingMessages final : public state::MessageBoxService {
public:
    std::vector<std::string> shown;
    std::vector<std::string> asked;
    state::SaveChangesAnswer saveChanges = state::SaveChangesAnswer::Discard;
    state::ReplaceAnswer replace = state::ReplaceAnswer::Yes;
    state::YesNoAnswer yesNo = state::YesNoAnswer::No;

    void show(const std::string& text, const std::string&, state::MessageIcon) override {
        shown.push_back(text);
    }
    state::SaveChangesAnswer askSaveChanges(const std::string& text, const std::string&) override {
        asked.push_back(text);
        return saveChanges;
    }
    state::ReplaceAnswer askReplace(const std::string& text, const std::string&) override {
        asked.push_back(text);
        return replace;
    }
    state::YesNoAnswer askYesNo(const std::string& text, const std::string&) override {
        asked.push_back(text);
        return yesNo;
    }
};

class CountingPlacement final : public state::WindowPlacement {
public:
    int restored = 0;
    void restorePlacement() override { ++restored; }
};

} // namespace mirel::files
