// The timeline's costs over a full history of 100,000 steps: going back to
// its oldest step, replaying it into a trace after a run, and writing the
// trace as a waveform viewer's dump and as a table.
#include "debug/debugger.h"
#include "parts/model.h"
#include "program_fixture.h"
#include "sim/simulator.h"
#include "timeline/trace_export.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

using namespace mirel;

// The running light with a counter beside it: the port B pins change every
// other step, W and the counter on most.
struct FullHistory {
    explicit FullHistory(parts::Model model) {
        form.chosenModel = model;
        bench::loadProgram(form, {"LDA\t01 H", "STA\t06", "RLA\t06", "INC\t20", "JMP\t0002"});
        // Runs on values as at full speed, then the snapshots a run leaves out,
        // as the window makes them when a run stops.
        for (long long done = 0; done < total;)
            done += simulator.run(total - done);
        debugger.goTo(debugger.position() - 1);
        debugger.goTo(total);
    }
    static constexpr long long total = 150000;
    state::MainForm form;
    bench::SilentMessages messages;
    sim::Simulator simulator{form, messages};
    debug::Debugger debugger{form, simulator, nullptr};
};

parts::Model modelOf(const benchmark::State& st) {
    return parts::allModels()[static_cast<std::size_t>(st.range(0))];
}

// A click at the timeline's oldest step; the way forward again is not timed.
void BM_JumpBackHundredThousand(benchmark::State& st) {
    FullHistory h(modelOf(st));
    const long long oldest = h.debugger.position() - 100000;
    for (auto _ : st) {
        h.debugger.goTo(oldest);
        st.PauseTiming();
        h.debugger.goTo(FullHistory::total);
        st.ResumeTiming();
    }
    st.SetLabel(std::string(parts::modelName(modelOf(st))));
}
BENCHMARK(BM_JumpBackHundredThousand)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The timeline shown after a long run: every step in reach replayed into a trace.
void BM_TraceHundredThousand(benchmark::State& st) {
    FullHistory h(modelOf(st));
    for (auto _ : st) {
        debug::HistoryTrace trace;
        h.debugger.followHistory(trace);
        benchmark::DoNotOptimize(trace.trace.size());
    }
    st.SetLabel(std::string(parts::modelName(modelOf(st))));
}
BENCHMARK(BM_TraceHundredThousand)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_ExportHundredThousand(benchmark::State& st) {
    FullHistory h(parts::Model::Teaching);
    debug::HistoryTrace trace;
    h.debugger.followHistory(trace);
    for (auto _ : st) {
        std::ostringstream out;
        if (st.range(0) == 0)
            timeline::writeVcd(out, trace.trace, "Teaching Model");
        else
            timeline::writeCsv(out, trace.trace, timeline::addressesOf(h.form.Code));
        benchmark::DoNotOptimize(out.str().size());
    }
    st.SetLabel(st.range(0) == 0 ? "VCD" : "CSV");
}
BENCHMARK(BM_ExportHundredThousand)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Runs on values as at full speed, with 0 or 8 watches from register 20
// (two on the registers the loop counts in, compared after the steps that
// write them) or from 28 (none written); none is ever met.
void BM_RunWithWatches(benchmark::State& st) {
    state::MainForm form;
    form.chosenModel = parts::allModels()[static_cast<std::size_t>(st.range(0))];
    bench::loadProgram(form, {"INC\t20", "INC\t21", "JMP\t0000"});
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    debug::Debugger debugger(form, simulator, nullptr);
    for (int i = 0; i < st.range(1); ++i)
        debugger.watches().add({static_cast<int>(st.range(2)) + i, -1,
                                debug::WatchCondition::Equals, 0x100, "watched"});
    constexpr long long steps = 1000000;
    for (auto _ : st) {
        for (long long done = 0; done < steps;)
            done += simulator.run(steps - done);
    }
    st.SetItemsProcessed(st.iterations() * steps);
    st.SetLabel(std::string(parts::modelName(form.chosenModel)) + ", " +
                std::to_string(st.range(1)) + " watches");
}
BENCHMARK(BM_RunWithWatches)
    ->ArgsProduct({{0, 1}, {0, 8}, {0x20, 0x28}})
    ->Unit(benchmark::kMillisecond);

} // namespace
