#pragma once

#include "batch_options.h"
#include "files/open_program.h"

#include <iosfwd>
#include <string>

namespace mirel::sim {
class Simulator;
}

namespace mirel::batch {

// Opens, steps, saves and prints the state as the batch driver does; returns
// the exit status (0, or 2 when the file cannot be read or written).
int runBatch(const BatchOptions& options, std::ostream& out, std::ostream& err);

// Opens FILE into a fresh form as the driver does: as KIND, under the part asked for.
files::OpenResult openAsAsked(const BatchOptions& options, state::MainForm& form);

// The line --explain prints after NEXT: the next Step in the words of the
// window's next-step line. Takes the simulator too, as a part's machine lives there.
std::string nextStepText(const state::MainForm& form, sim::Simulator& simulator);

} // namespace mirel::batch
