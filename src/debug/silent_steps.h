#pragma once

// Steps the user has seen already, taken again: no message, no notice, the
// listeners not told; `listener` hears them instead of the debugger.
#include "debugger.h"

namespace mirel::debug {

template <typename F> void Debugger::silently(sim::StepListener& listener, F&& f) {
    const bool quiet = watch_.quiet();
    watch_.setQuiet(true);
    simulator_.setStepListener(&listener);
    simulator_.muteMessages(true);
    f();
    simulator_.muteMessages(false);
    simulator_.setStepListener(this);
    watch_.setQuiet(quiet);
}

} // namespace mirel::debug
