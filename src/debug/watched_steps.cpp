// Steps and runs with watches: a Step hears its writes through the register
// file, a run on values through its core, and either ends with the watches
// compared; a run stops after the step that met a condition.
#include "core_values.h"
#include "debugger.h"
#include "line_notices.h"
#include "sim/part/part_value_steps.h"
#include "sim/teaching/value_core_steps.h"

namespace mirel::debug {

namespace {

// Told the writes of watched lines in a run on values, and then, after a
// step that made one, the step: a step writing nothing watched costs a test.
template <typename Core> class WatchRecorder : public sim::part::PartNoRecorder {
public:
    static constexpr bool watches = true;
    WatchRecorder(WatchList& watches, const Core& core, long long position)
        : watches_(watches), core_(core), position_(position) {}

    bool markWatched(std::array<std::uint8_t, 1024>& lines) const {
        for (std::size_t i = 0; i < lines.size(); ++i)
            lines[i] = watches_.marksOf(static_cast<int>(i)) != 0;
        return watches_.wMarks() != 0;
    }
    void registerWritten(int index, int) { written_ |= watches_.marksOf(index); }
    void wWritten(int) { written_ |= watches_.wMarks(); }
    bool written() const { return written_ != 0; }
    bool stepWritten(long long done, int line) {
        const std::uint32_t written = written_;
        written_ = 0;
        return watches_.compare(written, position_ + done, line,
                                [this](int reg) { return valueOf(core_, reg); });
    }

private:
    WatchList& watches_;
    const Core& core_;
    long long position_; // where the run began
    std::uint32_t written_ = 0;
};

} // namespace

void Debugger::watchedStepStarting() {
    watches_.clearHit();
    watches_.setModel(form_.model);
    watchedLine_ = form_.Code.selectedIndex();
    watches_.start(journal_.position(), [this](int reg) { return valueOf(form_, reg); });
    watch_.setWrites(&watches_);
    form_.registers.hearRewrites(true);
    watching_ = true;
}

void Debugger::watchedStepFinished() {
    watching_ = false;
    watch_.setWrites(nullptr);
    form_.registers.hearRewrites(false);
    if (watches_.stepFinished(watchedLine_, [this](int reg) { return valueOf(form_, reg); }) &&
        !running())
        stopsAtWatch(); // a Step of its own tells what it met
}

long long Debugger::watchedRun(sim::ValueCore& core, long long count) {
    watches_.clearHit();
    watches_.setModel(form_.model);
    watches_.start(journal_.position(), [&core](int reg) { return valueOf(core, reg); });
    WatchRecorder<sim::ValueCore> recorder(watches_, core, journal_.position());
    return core.run(count, &breakpoints_.marks(), recorder);
}

long long Debugger::watchedPartRun(sim::part::PartValueCore& core, long long count) {
    watches_.clearHit();
    watches_.setModel(form_.model);
    watches_.start(journal_.position(), [&core](int reg) { return valueOf(core, reg); });
    WatchRecorder<sim::part::PartValueCore> recorder(watches_, core, journal_.position());
    return core.run(count, &breakpoints_.marks(), recorder);
}

int Debugger::watchValue(std::size_t i) const {
    return watches_.valueOf(i, [this](int reg) { return valueOf(form_, reg); });
}

int Debugger::watchBefore(std::size_t i) const {
    return watches_.before(i, journal_.position()).value_or(watchValue(i));
}

bool Debugger::stopsAtWatch() {
    const auto& hit = watches_.hit();
    if (!hit)
        return false;
    if (tell_) {
        const std::string where =
            hit->line >= 0 ? lineName(form_.Code.line(hit->line), hit->line) : std::string();
        tell_(watches_.hitText(*hit, where));
    }
    watches_.clearHit();
    return true;
}

} // namespace mirel::debug
