#pragma once

#include "step_trace.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace mirel::state {
class TextList;
}

namespace mirel::timeline {

// The address a line of the program shows ("0012"); "" for no line.
using LineAddress = std::function<std::string(int line)>;
// The addresses the lines of `code` carry, read when asked.
LineAddress addressesOf(const state::TextList& code);

// The trace as a Value Change Dump for waveform viewers: the ports as their
// pins RA0-RA7 and RB0-RB7, W and the other columns as bytes, over time in
// microseconds (one instruction cycle at 4 MHz). Changes of steps that take
// no time (a line without an instruction, the part asleep) join those of
// the step before them.
void writeVcd(std::ostream& out, const StepTrace& trace, std::string_view model);

// One row per step: the step, the cycles and microseconds up to it, the
// address of the next instruction, then each column as two hex digits.
void writeCsv(std::ostream& out, const StepTrace& trace, const LineAddress& address);

} // namespace mirel::timeline
