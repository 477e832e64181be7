#pragma once

#include "teaching/value_core.h"

namespace mirel::sim {

namespace part {
class PartValueCore;
}
class Simulator;

// Hears every Step that has a program to work on, before it changes anything
// and once it is over: the debugger's journal and counters sit here.
class StepListener {
public:
    virtual ~StepListener() = default;
    // Takes a Step of `simulator`: without a program (hasProgram()) it does
    // nothing, else it executes it by calling cycle() once, with the
    // listener's own work around it. One call a Step, so that a listener that
    // hears every Step pays for one call; by default it is heard through the
    // two below, and only with a program.
    virtual void takeStep(Simulator& simulator);
    virtual void stepStarting() {}
    // `cycles`: 0 when the line held no instruction, 2 for a jump, call,
    // return or a skip that was taken, 1 otherwise.
    virtual void stepFinished(int /*cycles*/) {}
    // Runs at most `count` steps on `core`, hearing each as it runs, and
    // answers how many ran; -1 for a listener that hears steps only through
    // the two calls above, which then get every step of a run one by one.
    virtual long long runOnValues(ValueCore& /*core*/, long long /*count*/) { return -1; }
    // The same under a part's rules.
    virtual long long runOnPartValues(part::PartValueCore& /*core*/, long long /*count*/) {
        return -1;
    }
    // The models are brought up to date after such a run, between these two:
    // what they tell meanwhile is no new change.
    virtual void viewsCatchingUp() {}
    virtual void viewsCaughtUp() {}

protected:
    // Executes the Step's instruction and answers its cycles, as
    // stepFinished() is told them (simulator.h).
    static int cycle(Simulator& simulator);
};

} // namespace mirel::sim
