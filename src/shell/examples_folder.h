#pragma once

#include <QStringList>

#include <string>

namespace mirel::shell {

// The installed example programs: <bindir>/../share/mirelsim/examples, or
// the source tree's examples folder when the program runs from its build tree.
std::string examplesFolder();

// The example programs (*.mrl) in `folder`, by name.
QStringList examplePrograms(const std::string& folder);

// The installed exercises, found as the examples are: their folder beside
// the examples' folder, or the source tree's when run from the build tree.
std::string exercisesFolder();

} // namespace mirel::shell
