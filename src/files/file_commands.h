#pragma once

#include "file_dialog.h"
#include "state/main_form.h"
#include "state/platform.h"

#include <string>

namespace mirel::files {

// The Open and Save commands of the main window, from the dialog to the
// message that says what went wrong.
class FileCommands {
public:
    FileCommands(state::MainForm& form, state::WindowPlacement& placement,
                 FileDialogService& dialogs, state::MessageBoxService& messages)
        : form_(form), placement_(placement), dialogs_(dialogs), messages_(messages) {}

    // Asks for a file first: cancelling, or a file that cannot be read or is
    // refused, changes nothing. A file read whole replaces the program and
    // resets the machine.
    void mnuFileOpen_Click();
    // Asks for a name and kind and writes the program; a failure is shown and
    // leaves any old file as it was.
    void mnuFileSave_Click();

private:
    void remember(const FileDialogAnswer& answer);
    void report(const std::string& message);

    state::MainForm& form_;
    state::WindowPlacement& placement_;
    FileDialogService& dialogs_;
    state::MessageBoxService& messages_;
    // The Open dialog starts where the last choice left it.
    std::string lastName_;
    ProgramKind lastKind_ = ProgramKind::Hex;
};

} // namespace mirel::files
