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

// Told each write and step of a run on values.
template <typename Core> class WatchRecorder : public sim::part::PartNoRecorder {
public:
    static constexpr bool records = true;
    WatchRecorder(WatchList& watches, const Core& core) : watches_(watches), core_(core) {}

    void registerWritten(int index, int) { watches_.written(index); }
    void wWritten(int) { watches_.wWritten(); }
    void valueStepStarting(int selected) { line_ = selected; }
    void valueStepFinished(int, int) {
        met_ = watches_.stepFinished(line_, [this](int reg) { return valueOf(core_, reg); });
    }
    bool stopAfterStep() const { return met_; }

private:
    WatchList& watches_;
    const Core& core_;
    int line_ = -1;
    bool met_ = false;
};

} // namespace

void Debugger::watchedStepStarting() {
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
    watches_.setModel(form_.model);
    watches_.start(journal_.position(), [&core](int reg) { return valueOf(core, reg); });
    WatchRecorder<sim::ValueCore> recorder(watches_, core);
    return core.run(count, &breakpoints_.marks(), recorder);
}

long long Debugger::watchedPartRun(sim::part::PartValueCore& core, long long count) {
    watches_.setModel(form_.model);
    watches_.start(journal_.position(), [&core](int reg) { return valueOf(core, reg); });
    WatchRecorder<sim::part::PartValueCore> recorder(watches_, core);
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
