#pragma once

#include "cycle_count.h"
#include "sim/part/part_machine.h"
#include "sim/ports.h"
#include "state/main_form.h"
#include "state/port_controls.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace mirel::debug {

// The stack's lines as the snapshots keep them: one log that only grows
// while the stack only grows, as a program calling itself without end makes
// it, each snapshot holding how many of its lines it takes. A line changed
// below the log's end starts a new log.
class StackLog {
public:
    // The log holding `lines` at its start.
    const std::shared_ptr<const std::vector<std::string>>&
    hold(const std::vector<std::string>& lines);

private:
    std::shared_ptr<const std::vector<std::string>> log_;
    std::vector<std::string>* growing_ = nullptr; // log_, which only this changes
};

// Everything a step may change, and what the user may change between steps
// without starting the history again, at one point of the history. Register
// lines are kept as values; only those not the standard text of their value
// keep their text.
struct MachineSnapshot {
    long long position = 0; // steps taken before it since the history began
    CycleCount count;
    std::vector<std::uint8_t> values;
    std::vector<std::pair<int, std::string>> typedLines;
    std::string w;
    // The stack's lines: the first stackCount of a log that snapshots share
    // (see StackLog), so that a deep stack is not copied for each of them.
    std::shared_ptr<const std::vector<std::string>> stackLog;
    std::size_t stackCount = 0;
    int selected = -1;
    // The entry line: its first line, chosen entry, caret, and its text
    // unless the first entry is chosen (which shows a program line).
    int first = -1, entry = -1, caret = 0;
    std::string edit;
    state::PortControls controls;
    std::uint16_t ticks = 0; // the input boxes ticked, port A in the low byte
    bool part = false;
    sim::part::PartState hidden;
    bool woke = false;

    // `machine`: the part's, under a part's rules, else null.
    // `ports`: the tail that set the lamps and boxes last; `anyTyped`:
    // whether any register line holds a text typed by hand.
    void take(state::MainForm& form, sim::part::PartMachine* machine, const sim::PortTail& ports,
              StackLog& log, bool anyTyped);
    // Puts everything back but the ticks, which are the user's.
    void restore(state::MainForm& form, sim::part::PartMachine* machine) const;
};

// Selects line `selected` (none when negative) and puts the entry line as it was:
// filled from line `first`, entry `entry` chosen (else `edit` typed), the caret at `caret`.
void restoreEntryLine(state::MainForm& form, int selected, int first, int entry, int caret,
                      const std::string& edit);
std::uint16_t readTicks(const state::MainForm& form);
void setTicks(state::MainForm& form, std::uint16_t ticks);

} // namespace mirel::debug
