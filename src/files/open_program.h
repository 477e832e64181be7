#pragma once

#include "program_kind.h"
#include "state/main_form.h"
#include "state/platform.h"

#include <string>

namespace mirel::files {

struct OpenResult {
    bool opened = false;
    std::string error; // set when the file could not be read
};

// The Open command once a file name has been chosen: a fresh window load, the
// file read into Code by its kind, line 0 selected, 513 cleared registers, the
// program buttons enabled. A file that cannot be read changes no program line.
OpenResult openProgram(state::MainForm& form, state::WindowPlacement& placement, ProgramKind kind,
                       const std::string& path);

} // namespace mirel::files
