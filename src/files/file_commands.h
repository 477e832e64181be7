#pragma once

#include "dialog_start.h"
#include "file_dialog.h"
#include "program_changes.h"
#include "state/main_form.h"
#include "state/platform.h"

#include <optional>
#include <string>

namespace mirel::files {

inline constexpr const char* saveChangesQuestion = "Save changes to the program?";

// The file commands of the main window (New, Open, Save, an example, and the
// check before Close), from the dialog to the message that says what went
// wrong. A program changed since it was last new, opened or saved is not given
// up without asking.
class FileCommands {
public:
    // `start` keeps the last folder and type in the settings; without it the
    // dialogs start where the last choice of this session left them.
    FileCommands(state::MainForm& form, state::WindowPlacement& placement,
                 FileDialogService& dialogs, state::MessageBoxService& messages,
                 DialogStart* start = nullptr);

    // A fresh program of one empty line.
    void newProgram();
    // Asks for a file first: cancelling, or a file that cannot be read or is
    // refused, changes nothing. A file read whole replaces the program and
    // resets the machine.
    bool mnuFileOpen_Click(); // whether a file was opened
    // Asks for a name and kind and writes the program; a failure is shown and
    // leaves any old file as it was.
    // Whether a file was written; savedPath() then names it.
    bool mnuFileSave_Click() { return save(); }
    const std::string& savedPath() const { return savedPath_; }
    // Opens one of the example programs as Open does with the Mirel type;
    // whether it was opened.
    bool openExample(const std::string& path);
    // Whether the window may close: the program is unchanged, saved or given up.
    bool mayClose() { return mayGiveUpProgram(); }

    bool programChanged() const { return changes_.changed(); }

private:
    bool save();
    bool mayGiveUpProgram();
    bool openFile(ProgramKind kind, const std::string& path);
    ProgramKind kindToOpen(const FileDialogAnswer& answer);
    void remember(const std::string& fileName, ProgramKind kind);
    std::string startFolder() const;
    ProgramKind startKind() const;
    void report(const std::string& message);

    state::MainForm& form_;
    state::WindowPlacement& placement_;
    FileDialogService& dialogs_;
    state::MessageBoxService& messages_;
    DialogStart* start_;
    ProgramChanges changes_;
    std::string savedPath_; // the file the last successful save wrote
    // The dialogs start where the last choice of this session left them.
    std::string lastName_;
    std::optional<ProgramKind> lastKind_;
};

} // namespace mirel::files
