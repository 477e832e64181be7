#pragma once

#include "program_kind.h"
#include "state/main_form.h"

#include <optional>
#include <string>

namespace mirel::files {

// The name a save writes to: a hex file gains ".hex" unless its name already
// ends so (in any case); a text or Mirel file gains ".txt" or ".mrl" when its
// name has no extension and keeps any other.
std::string savedFileName(ProgramKind kind, const std::string& chosen);

// The bytes of the file of that kind: the hex text or own-source text of the
// export walk, or every Code line; every line ends with CR LF. Empty with
// `error` set when the program cannot be exported.
std::optional<std::string> programFileText(state::MainForm& form, ProgramKind kind,
                                           const std::string& path, std::string& error);

// Writes the program to exactly `path` (nothing appended). On failure nothing
// is written, the old file stays, and `error` holds the message.
bool saveProgram(state::MainForm& form, ProgramKind kind, const std::string& path,
                 std::string& error);

} // namespace mirel::files
