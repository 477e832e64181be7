// The timeline's rows from the history: a Step adds its row as it stands;
// what a run or a take-back left unseen is replayed from the snapshots the
// journal keeps, into the trace, and the machine is left as it was.
#include "core_values.h"
#include "debugger.h"
#include "silent_steps.h"
#include "trace_recorder.h"

namespace mirel::debug {

namespace {

bool sameRow(const timeline::StepTrace& trace, long long position, const state::MainForm& form) {
    const auto& columns = trace.columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int now = valueOf(form, columns[c].reg);
        if (trace.value(position, c) != now)
            return false;
    }
    return trace.nextLine(position) == form.Code.selectedIndex();
}

} // namespace

void Debugger::followHistory(HistoryTrace& followed) {
    if (running())
        return; // followed once the run stops
    timeline::StepTrace& trace = followed.trace;
    const long long now = journal_.position();
    const long long reach = journal_.reach();
    if (followed.history != journal_.history() || followed.future != journal_.future()) {
        trace.restart(reach);
        followed.history = journal_.history();
        followed.future = journal_.future();
    }
    trace.dropBefore(reach);
    if (trace.holds(now)) {
        // Taken back, or stepped on through steps taken back before.
        if (!sameRow(trace, now, form_)) {
            trace.cutFrom(now);
            TraceRecorder(form_, trace, count_, now).rowNow();
        }
        return;
    }
    if (trace.empty())
        trace.restart(reach);
    if (trace.end() == now) {
        TraceRecorder(form_, trace, count_, now).rowNow();
        return;
    }
    walkHistory(trace.end(), trace);
    if (now > reach)
        highlightLastStep();
}

// From the latest snapshot at or before `from`: each stretch between two
// snapshots or two lines the user selected is replayed, the inputs ticked
// as each snapshot keeps them and the selections made again, as a take-back
// replays them. The journal itself is left as it is.
void Debugger::walkHistory(long long from, timeline::StepTrace& trace) {
    const long long now = journal_.position();
    auto* machine = simulator_.deviceMachine();
    const std::uint16_t ticks = readTicks(form_);
    const CycleCount count = count_;
    // The walk puts back what the machine already was: none of it is the
    // user's, so the history (and the snapshot walked from) stays.
    const bool quiet = watch_.quiet();
    watch_.setQuiet(true);
    const MachineSnapshot& first = journal_.snapshotBefore(from);
    first.restore(form_, machine);
    count_ = first.count;
    setTicks(form_, first.ticks);
    TraceRecorder recorder(form_, trace, count_, first.position);
    recorder.rowNow();
    silently(recorder, [&] {
        long long at = first.position;
        while (at < now) {
            const long long to =
                std::min(journal_.nextSnapshot(at, now), journal_.nextSelection(at, now));
            replay(to - at);
            at = to;
            if (const auto selected = journal_.selectionAt(at))
                restoreEntryLine(form_, *selected, *selected, 0, 0, {});
            if (at < now && journal_.nextSnapshot(at - 1, now) == at)
                setTicks(form_, journal_.snapshotBefore(at).ticks);
        }
    });
    setTicks(form_, ticks);
    watch_.setQuiet(quiet);
    count_ = count;
}

} // namespace mirel::debug
