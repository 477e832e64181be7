// The cost of one Step must not grow with the length of the program.
#include "program_fixture.h"
#include "sim/simulator.h"

#include <benchmark/benchmark.h>

namespace {

using namespace mirel;

// Steps from line 0 of a program of NOPs; each iteration re-selects line 0 so
// that every measured Step is the first line's.
void BM_StepNop(benchmark::State& st) {
    state::MainForm form;
    bench::loadProgram(form, bench::repeated("NOP\t", static_cast<int>(st.range(0))));
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    for (auto _ : st) {
        form.Code.select(0);
        simulator.Step_Click();
    }
    st.SetLabel(std::to_string(form.Code.count()) + " lines");
}
BENCHMARK(BM_StepNop)->Arg(10)->Arg(40000);

} // namespace
