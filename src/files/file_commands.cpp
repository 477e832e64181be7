#include "file_commands.h"

#include "open_program.h"
#include "save_program.h"

namespace mirel::files {

void FileCommands::mnuFileOpen_Click() {
    const FileDialogAnswer answer =
        dialogs_.open({"Open", programFileFilter, lastName_, lastKind_});
    if (answer.fileName.empty())
        return;
    remember(answer);
    const OpenResult result = openProgram(form_, placement_, answer.kind, answer.fileName);
    if (!result.opened)
        report(result.error);
}

void FileCommands::mnuFileSave_Click() {
    const FileDialogAnswer answer = dialogs_.save({"Save", programFileFilter, "", lastKind_});
    if (answer.fileName.empty())
        return;
    remember(answer);
    std::string error;
    if (!saveProgram(form_, answer.kind, savedFileName(answer.kind, answer.fileName), error))
        report(error);
}

void FileCommands::remember(const FileDialogAnswer& answer) {
    lastName_ = answer.fileName;
    lastKind_ = answer.kind;
}

void FileCommands::report(const std::string& message) {
    messages_.show(message, state::applicationTitle, state::MessageIcon::Exclamation);
}

} // namespace mirel::files
