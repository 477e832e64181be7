#pragma once

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
};

} // namespace mirel::sim
