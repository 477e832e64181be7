#pragma once

#include <QString>

#include <string>
#include <vector>

namespace mirel::shell {

// The installed example programs: <bindir>/../share/mirelsim/examples, or
// the source tree's examples folder when the program runs from its build tree.
std::string examplesFolder();

struct ExampleProgram {
    QString name;     // as the menu shows it
    std::string path; // the file's own bytes, whatever the name's encoding
};

// The example programs (*.mrl) in `folder`, by name. A name that is not in
// the system's encoding is still listed, shown as well as it decodes and
// opened by its own bytes.
std::vector<ExampleProgram> examplePrograms(const std::string& folder);

// The installed exercises, found as the examples are: their folder beside
// the examples' folder, or the source tree's when run from the build tree.
std::string exercisesFolder();

} // namespace mirel::shell
