#pragma once

// A machine with its debugger, and the whole of what a step may change as text.
#include "debug/debugger.h"
#include "sim/machine_fixture.h"
#include "sim/run_control.h"

#include <sstream>
#include <string>
#include <vector>

namespace mirel::testing {

// Everything a step may change, and the counts, as one comparable text.
inline std::string textState(const state::MainForm& f, const debug::Debugger& d) {
    std::ostringstream out;
    out << "W " << f.W.text() << " RW";
    for (const auto& bit : f.RW)
        out << bit.text();
    out << "\nPC " << f.Code.selectedIndex() << "\nCounter " << f.Counter.firstLine() << ' '
        << f.Counter.entryCount() << ' ' << f.Counter.selectedEntry() << ' ' << f.Counter.caret()
        << " [" << f.Counter.editText() << "]\nPins ";
    for (std::size_t i = 0; i < 8; ++i)
        for (const auto* box : {&f.InA[i], &f.InB[i]})
            out << box->value() << box->visible() << box->enabled() << ' ';
    for (std::size_t i = 0; i < 8; ++i)
        out << f.RA[i].picture() << f.RB[i].picture();
    out << "\nCounts " << d.count().instructions << ' ' << d.count().cycles << "\nSP";
    for (const auto& line : f.SPReg.lines())
        out << ' ' << line;
    out << '\n';
    for (const auto& line : f.Reg.lines())
        out << line << '\n';
    return out.str();
}

struct DebugMachine : Machine {
    explicit DebugMachine(const std::vector<std::string>& program) : Machine(program) {}
    debug::Debugger debugger{form, simulator, nullptr};
};

// A clock that says each turn is over after a given number of readings.
class CountingClock final : public sim::ElapsedClock {
public:
    void restart() override { readings = 0; }
    std::chrono::nanoseconds elapsed() const override {
        return ++readings > 3 ? std::chrono::hours(1) : std::chrono::nanoseconds(0);
    }
    mutable int readings = 0;
};

} // namespace mirel::testing
