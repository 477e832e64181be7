#pragma once

#include "program_kind.h"
#include "state/settings_store.h"

#include <string>

namespace mirel::files {

// Where the Open and Save dialogs start: in the folder of the last file opened
// or saved, with its type, both kept in the settings store. Before any (or
// when that folder is gone) they start in the examples folder.
class DialogStart {
public:
    struct Keys {
        const char* application;
        const char* section;
        const char* folder;
        const char* kind;
    };

    DialogStart(state::SettingsStore& settings, Keys keys, std::string examplesFolder)
        : settings_(settings), keys_(keys), examplesFolder_(std::move(examplesFolder)) {}

    std::string folder() const;
    ProgramKind kind() const;
    // The file `path` of that kind was opened or saved.
    void remember(const std::string& path, ProgramKind kind);

private:
    state::SettingsStore& settings_;
    Keys keys_;
    std::string examplesFolder_;
};

} // namespace mirel::files
