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

// A run on values tests each watched write against the watches' conditions
// itself and tells only a step whose write may meet one; the core keeps
// what that step wrote.
template <typename Core> class WatchRecorder : public sim::part::PartNoRecorder {
public:
    static constexpr bool watches = true;
    WatchRecorder(WatchList& watches, const Core& core, long long position)
        : watches_(watches), core_(core), position_(position) {}

    bool markWatched(sim::WatchTable& table) const {
        table.set(watches_.lineTriggers(), watches_.triggers());
        return watches_.wMarks() != 0;
    }
    bool stepMet(long long done, int line) {
        return watches_.compare(
            writtenIn(done), position_ + done, line,
            [this](int reg) { return valueOf(core_, reg); },
            [this](std::size_t i) { return before(i); });
    }
    // The values the dock shows, and those before the run's last step.
    void runEnded(long long done) {
        watches_.runEnded(
            writtenIn(done), position_ + done, [this](int reg) { return valueOf(core_, reg); },
            [this](std::size_t i) { return before(i); });
    }

private:
    // The watches whose registers step `step` of the run wrote.
    std::uint32_t writtenIn(long long step) const {
        std::uint32_t written = 0;
        const auto& watches = watches_.watches();
        for (std::size_t i = 0; i < watches.size(); ++i) {
            if (core_.writtenInStep(watches[i].reg, step))
                written |= 1u << i;
        }
        return written;
    }
    int before(std::size_t i) const {
        return watches_.watchedValue(i, core_.valueBefore(watches_.watches()[i].reg));
    }

    WatchList& watches_;
    const Core& core_;
    long long position_; // where the run began
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
    const long long done = core.run(count, &breakpoints_.marks(), recorder);
    recorder.runEnded(done);
    return done;
}

long long Debugger::watchedPartRun(sim::part::PartValueCore& core, long long count) {
    watches_.clearHit();
    watches_.setModel(form_.model);
    watches_.start(journal_.position(), [&core](int reg) { return valueOf(core, reg); });
    WatchRecorder<sim::part::PartValueCore> recorder(watches_, core, journal_.position());
    const long long done = core.run(count, &breakpoints_.marks(), recorder);
    recorder.runEnded(done);
    return done;
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
