#pragma once

#include "debug/cycle_count.h"
#include "timeline/step_trace.h"

#include <iosfwd>
#include <string>

namespace mirel::state {
class MainForm;
}

namespace mirel::batch {

// A trace of every step holds at most this many; beyond it the oldest go.
inline constexpr long long longestTrace = 1000000;

// Writes the trace to `path` as VCD or CSV by its ending; false, with the
// reason on `err`, when it cannot be written.
bool writeTrace(const std::string& path, const timeline::StepTrace& trace,
                const state::MainForm& form, std::ostream& err);

} // namespace mirel::batch
