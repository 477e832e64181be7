#pragma once

#include "files/file_dialog.h"

namespace mirel::shell {

// Passes the file dialogs through and keeps their last answers, so that the
// window can say what a command did with the file the user chose.
class DialogAnswers final : public files::FileDialogService {
public:
    explicit DialogAnswers(files::FileDialogService& dialogs) : dialogs_(dialogs) {}

    files::FileDialogAnswer open(const files::FileDialogRequest& request) override {
        return lastOpen_ = dialogs_.open(request);
    }
    files::FileDialogAnswer save(const files::FileDialogRequest& request) override {
        return lastSave_ = dialogs_.save(request);
    }

    // Since the last forget(); an empty name when none was asked or the user cancelled.
    const files::FileDialogAnswer& lastOpen() const { return lastOpen_; }
    const files::FileDialogAnswer& lastSave() const { return lastSave_; }
    void forget() { lastOpen_ = lastSave_ = {}; }

private:
    files::FileDialogService& dialogs_;
    files::FileDialogAnswer lastOpen_;
    files::FileDialogAnswer lastSave_;
};

} // namespace mirel::shell
