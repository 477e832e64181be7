#pragma once

#include "timeline/step_trace.h"

namespace mirel::debug {

// A trace that follows the debugger's history (Debugger::followHistory):
// which history its rows belong to, so that rows of a forgotten one, or
// taken back and since undone by the user, are not shown as the machine's.
struct HistoryTrace {
    timeline::StepTrace trace;
    unsigned history = ~0u;
    unsigned future = 0;
};

} // namespace mirel::debug
