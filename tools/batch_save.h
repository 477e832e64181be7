#pragma once

#include "batch_options.h"
#include "state/main_form.h"

#include <iosfwd>

namespace mirel::batch {

// --save: writes the program as the Save command does, to exactly the name
// given. False, with the message on `err`, when it cannot be written.
bool saveAsAsked(const BatchOptions& options, state::MainForm& form, std::ostream& err);

} // namespace mirel::batch
