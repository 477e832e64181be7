#pragma once

#include "cycle_count.h"

#include <optional>

namespace mirel::debug {

// Cycles between two points of a program: since the user last started the
// stopwatch, and between the last two stops at a breakpoint.
class Stopwatch {
public:
    void restart(const CycleCount& now) { start_ = now; }
    // Since the last restart; counts taken back below it start it again.
    CycleCount elapsed(const CycleCount& now) {
        if (now.cycles < start_.cycles || now.instructions < start_.instructions)
            start_ = now;
        return {now.instructions - start_.instructions, now.cycles - start_.cycles};
    }
    // A run stopped at a breakpoint with the counts at `now`.
    void stoppedAtBreakpoint(const CycleCount& now) {
        if (lastStop_ && now.cycles >= lastStop_->cycles)
            lap_ = CycleCount{now.instructions - lastStop_->instructions,
                              now.cycles - lastStop_->cycles};
        lastStop_ = now;
    }
    // Between the last two stops at a breakpoint, once there were two.
    const std::optional<CycleCount>& lap() const { return lap_; }
    // New counts (a new program, Reset): nothing measured so far holds.
    void clear() { *this = Stopwatch{}; }

private:
    CycleCount start_;
    std::optional<CycleCount> lastStop_;
    std::optional<CycleCount> lap_;
};

} // namespace mirel::debug
