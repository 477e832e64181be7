#pragma once

#include <QStringList>

#include <string>

namespace mirel::shell {

// The installed example programs: <bindir>/../share/mirelsim/examples, or
// the source tree's examples folder when the program runs from its build tree.
std::string examplesFolder();

// The example programs (*.mrl) in `folder`, by name.
QStringList examplePrograms(const std::string& folder);

} // namespace mirel::shell
