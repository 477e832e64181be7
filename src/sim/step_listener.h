#pragma once

#include "value_step_recorder.h"

#include <vector>

namespace mirel::sim {

// Hears every Step that has a program to work on, before it changes anything
// and once it is over: the debugger's journal and counters sit here.
class StepListener {
public:
    virtual ~StepListener() = default;
    virtual void stepStarting() = 0;
    // `cycles`: 0 when the line held no instruction, 2 for a jump, call,
    // return or a skip that was taken, 1 otherwise.
    virtual void stepFinished(int cycles) = 0;
    // Where a run's steps on values are told; a listener without one hears
    // every step through the two calls above.
    virtual ValueStepRecorder* valueRecorder() { return nullptr; }
    // The lines a run stops at once a step has made one of them next; null for none.
    virtual const std::vector<char>* stopLines() const { return nullptr; }
};

} // namespace mirel::sim
