#pragma once

#include "program_kind.h"
#include "state/main_form.h"
#include "state/platform.h"

#include <optional>
#include <string>
#include <vector>

namespace mirel::files {

struct OpenResult {
    bool opened = false;
    std::string error; // why the file was refused, naming it
};

// The program lines of a file's bytes by its kind; empty with `error` set
// when the file is refused: a hex file whose first line is no record, a
// Mirel file whose first line starts with no address and tab, a hex file of
// too many records.
std::optional<std::vector<std::string>> decodeProgram(ProgramKind kind, const std::string& bytes,
                                                      const std::string& path, std::string& error);

// What a successful Open does with the decoded lines: a fresh window load, the
// lines into Code, line 0 selected, 513 cleared registers, no input box
// ticked, the program buttons enabled. With no line, Code stays empty and the entry line empties.
void loadProgram(state::MainForm& form, state::WindowPlacement& placement,
                 std::vector<std::string> lines);

// The kind a file picked with the Text type looks like instead: a name
// ending in .mrl or .hex, or a first line that reads as a Mirel line or a
// hex record. Empty when it looks like text, or cannot be read.
std::optional<ProgramKind> lookalikeKind(const std::string& path);

// The Open command once a file name has been chosen. A file that cannot be
// read or is refused changes nothing at all.
OpenResult openProgram(state::MainForm& form, state::WindowPlacement& placement, ProgramKind kind,
                       const std::string& path);

} // namespace mirel::files
