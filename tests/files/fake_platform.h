#pragma once

#include "files/file_dialog.h"
#include "state/platform.h"

#include <string>
#include <vector>

namespace mirel::files {

// Answers every dialog with the prepared answer and records what was asked.
class FakeFileDialogs final : public FileDialogService {
public:
    FileDialogAnswer answer;
    std::vector<FileDialogRequest> openAsked;
    std::vector<FileDialogRequest> saveAsked;

    FileDialogAnswer open(const FileDialogRequest& request) override {
        openAsked.push_back(request);
        return answer;
    }
    FileDialogAnswer save(const FileDialogRequest& request) override {
        saveAsked.push_back(request);
        return answer;
    }
};

class RecordingMessages final : public state::MessageBoxService {
public:
    std::vector<std::string> shown;
    void show(const std::string& text, const std::string&, state::MessageIcon) override {
        shown.push_back(text);
    }
};

class CountingPlacement final : public state::WindowPlacement {
public:
    int restored = 0;
    void restorePlacement() override { ++restored; }
};

} // namespace mirel::files
