#include "file_commands.h"

#include "open_program.h"
#include "save_program.h"
#include "state/window_load.h"

#include <filesystem>

namespace mirel::files {

FileCommands::FileCommands(state::MainForm& form, state::WindowPlacement& placement,
                           FileDialogService& dialogs, state::MessageBoxService& messages,
                           DialogStart* start)
    : form_(form), placement_(placement), dialogs_(dialogs), messages_(messages), start_(start),
      changes_(form.Code) {}

void FileCommands::newProgram() {
    if (!mayGiveUpProgram())
        return;
    state::NewProgram(form_, placement_);
    changes_.forget();
}

bool FileCommands::mnuFileOpen_Click() {
    if (!mayGiveUpProgram())
        return false;
    const FileDialogAnswer answer =
        dialogs_.open({"Open", programFileFilter, lastName_, startKind(), startFolder()});
    if (answer.fileName.empty())
        return false;
    remember(answer.fileName, answer.kind);
    const ProgramKind kind = kindToOpen(answer);
    if (!openFile(kind, answer.fileName))
        return false;
    if (start_)
        start_->remember(answer.fileName, answer.kind);
    return true;
}

// The Text type reads any file, which turns a Mirel or hex file into lines
// that have nothing to do with its program: ask before doing so.
ProgramKind FileCommands::kindToOpen(const FileDialogAnswer& answer) {
    if (answer.kind != ProgramKind::Text)
        return answer.kind;
    const auto other = lookalikeKind(answer.fileName);
    if (!other)
        return answer.kind;
    const std::string name = std::filesystem::path(answer.fileName).filename().string();
    const std::string question = name +
                                 (*other == ProgramKind::Mirel ? " looks like a Mirel source file."
                                                               : " looks like a hex file.") +
                                 " Open it as one?";
    return messages_.askYesNo(question, state::applicationTitle) == state::YesNoAnswer::Yes
               ? *other
               : answer.kind;
}

bool FileCommands::openExample(const std::string& path) {
    return mayGiveUpProgram() && openFile(ProgramKind::Mirel, path);
}

bool FileCommands::openFile(ProgramKind kind, const std::string& path) {
    const OpenResult result = openProgram(form_, placement_, kind, path);
    if (!result.opened) {
        report(result.error);
        return false;
    }
    changes_.forget();
    return true;
}

bool FileCommands::save() {
    const FileDialogAnswer answer =
        dialogs_.save({"Save", programFileFilter, "", startKind(), startFolder()});
    if (answer.fileName.empty())
        return false;
    // The dialog asked about the chosen name; the file written may be another.
    const std::string path = savedFileName(answer.kind, answer.fileName);
    std::error_code ignored;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, ignored)) &&
        messages_.askReplace(path + " already exists.\nDo you want to replace it?",
                             state::applicationTitle) != state::ReplaceAnswer::Yes)
        return false;
    remember(path, answer.kind);
    std::string error;
    if (!saveProgram(form_, answer.kind, path, error)) {
        report(error);
        return false;
    }
    changes_.forget();
    savedPath_ = path;
    if (start_)
        start_->remember(path, answer.kind);
    return true;
}

bool FileCommands::mayGiveUpProgram() {
    if (!changes_.changed())
        return true;
    switch (messages_.askSaveChanges(saveChangesQuestion, state::applicationTitle)) {
    case state::SaveChangesAnswer::Save:
        return save();
    case state::SaveChangesAnswer::Discard:
        return true;
    case state::SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

void FileCommands::remember(const std::string& fileName, ProgramKind kind) {
    lastName_ = fileName;
    lastKind_ = kind;
}

std::string FileCommands::startFolder() const {
    return start_ ? start_->folder() : std::string();
}

ProgramKind FileCommands::startKind() const {
    if (lastKind_)
        return *lastKind_;
    return start_ ? start_->kind() : ProgramKind::Hex;
}

void FileCommands::report(const std::string& message) {
    messages_.show(message, state::applicationTitle, state::MessageIcon::Exclamation);
}

} // namespace mirel::files
