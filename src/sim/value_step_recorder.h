#pragma once

#include <cstdint>

namespace mirel::sim {

// Hears the steps the value core runs, as they run, while the models do not:
// the debugger's journal, counts and highlight are fed from here instead of
// from the models' change events. Every call comes between runStarting and
// viewsCaughtUp; the models read as they stood before the run until
// catchingUp, and as they stand after it from viewsCaughtUp on.
class ValueStepRecorder {
public:
    virtual ~ValueStepRecorder() = default;
    virtual void runStarting() = 0;
    // `selected`: Code's selection before the step (-1 for none).
    virtual void valueStepStarting(int selected) = 0;
    // A register line gets the standard text of `value` (it changes value or
    // form; a write that changes neither is not told).
    virtual void registerWritten(int index, int value) = 0;
    virtual void wWritten(int value) = 0;
    // A call's entry, the Code index of the calling line, goes onto the stack.
    virtual void stackPushed(int callingLine) = 0;
    virtual void stackPopped() = 0;
    // The lamps and input boxes change: port A in the low byte, B in the high.
    virtual void controlsChanged(std::uint16_t lamps, std::uint16_t boxes) = 0;
    virtual void valueStepFinished(int cycles) = 0;
    // The views are brought up to date between these two: what the models
    // tell meanwhile is no new change.
    virtual void catchingUp() = 0;
    virtual void viewsCaughtUp() = 0;
};

} // namespace mirel::sim
