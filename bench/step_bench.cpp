// The cost of one Step must not grow with the length of the program.
#include "debug/debugger.h"
#include "debug/step_explanation.h"
#include "parts/model.h"
#include "program_fixture.h"
#include "sim/simulator.h"
#include "state/hex_text.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

using namespace mirel;

// Every measured Step goes through here, so that an instruction count can
// take in those steps alone (callgrind --toggle-collect='*measuredStep*').
[[gnu::noinline]] void measuredStep(sim::Simulator& simulator) {
    simulator.Step_Click();
}

// Steps from line 0 of a program of NOPs; each iteration re-selects line 0 so
// that every measured Step is the first line's.
void BM_StepNop(benchmark::State& st) {
    state::MainForm form;
    bench::loadProgram(form, bench::repeated("NOP\t", static_cast<int>(st.range(0))));
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    for (auto _ : st) {
        form.Code.select(0);
        measuredStep(simulator);
    }
    st.SetLabel(std::to_string(form.Code.count()) + " lines");
}
BENCHMARK(BM_StepNop)->Arg(10)->Arg(40000);

// The same Step with the debugger listening, its journal full, and the
// breakpoint check a run makes after every step.
template <typename Setup, typename Each>
void debuggedSteps(benchmark::State& st, std::vector<std::string> program, Setup setup, Each each) {
    state::MainForm form;
    bench::loadProgram(form, program);
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    debug::Debugger debugger(form, simulator, nullptr);
    debugger.breakpoints().toggle(form.Code.count() / 2);
    setup(form, simulator);
    // The journal full, as after a long session: each Step drops the oldest.
    for (std::size_t i = 0; i < debug::StepJournal::maxSteps; ++i) {
        form.Code.select(0);
        simulator.Step_Click();
        each(form);
    }
    bool stop = false;
    for (auto _ : st) {
        form.Code.select(0);
        measuredStep(simulator);
        stop ^= debugger.breakpoints().atSelection();
        each(form);
    }
    benchmark::DoNotOptimize(stop);
    st.SetLabel(std::to_string(form.Code.count()) + " lines, " +
                std::to_string(debugger.journal().size()) + " steps held");
}

// A register and the four STATUS copies change on each step.
void BM_StepInc(benchmark::State& st) {
    state::MainForm form;
    bench::loadProgram(form, bench::repeated("INC	20", 10));
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    for (auto _ : st) {
        form.Code.select(0);
        measuredStep(simulator);
    }
}
BENCHMARK(BM_StepInc);

// W and STATUS change on each step: W gains register 20's 1.
void BM_StepAddW(benchmark::State& st) {
    state::MainForm form;
    bench::loadProgram(form, bench::repeated("ADD\t20 W", 10));
    form.registers.write(0x20, 1);
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    for (auto _ : st) {
        form.Code.select(0);
        measuredStep(simulator);
    }
}
BENCHMARK(BM_StepAddW);

void BM_StepAddWDebugged(benchmark::State& st) {
    debuggedSteps(
        st, bench::repeated("ADD\t20 W", 10),
        [](state::MainForm& form, auto&) { form.registers.write(0x20, 1); }, [](auto&) {});
}
BENCHMARK(BM_StepAddWDebugged);

void BM_StepNopDebugged(benchmark::State& st) {
    debuggedSteps(
        st, bench::repeated("NOP	", static_cast<int>(st.range(0))), [](auto&, auto&) {},
        [](auto&) {});
}
BENCHMARK(BM_StepNopDebugged)->Arg(10)->Arg(40000);

void BM_StepIncDebugged(benchmark::State& st) {
    debuggedSteps(
        st, bench::repeated("INC	20", 10), [](auto&, auto&) {}, [](auto&) {});
}
BENCHMARK(BM_StepIncDebugged);

// Runs on values as full speed makes them, the machine running: the loop of
// full_speed, 4096 steps an iteration, bare and with the debugger hearing
// every step (its journal full, a breakpoint on a line never reached).
void runLoop(benchmark::State& st, bool debugged) {
    state::MainForm form;
    bench::loadProgram(form, {"INC\t20", "INC\t21", "JMP\t0000", "NOP"});
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    std::optional<debug::Debugger> debugger;
    if (debugged) {
        debugger.emplace(form, simulator, nullptr);
        debugger->breakpoints().toggle(3);
    }
    form.Timer1.setEnabled(true);
    constexpr long long steps = 4096;
    for (auto _ : st)
        for (long long done = 0; done < steps;)
            done += simulator.run(steps - done);
    st.SetItemsProcessed(st.iterations() * steps);
}
void BM_RunLoop(benchmark::State& st) {
    runLoop(st, false);
}
BENCHMARK(BM_RunLoop);
void BM_RunLoopDebugged(benchmark::State& st) {
    runLoop(st, true);
}
BENCHMARK(BM_RunLoopDebugged);

// What a stop costs the debugger after a long run: the journal records the
// last steps it holds, which the run left unrecorded, for Step Back and the
// highlight.
void BM_StopAfterLongRun(benchmark::State& st) {
    state::MainForm form;
    bench::loadProgram(form, {"INC\t20", "INC\t21", "JMP\t0000", "NOP"});
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    debug::Debugger debugger(form, simulator, nullptr);
    for (auto _ : st) {
        form.Timer1.setEnabled(true);
        for (long long done = 0; done < st.range(0);)
            done += simulator.run(st.range(0) - done);
        form.Timer1.setEnabled(false);
        benchmark::DoNotOptimize(debugger.changedRegisters());
    }
    st.SetLabel(std::to_string(debugger.journal().size()) + " steps held");
}
BENCHMARK(BM_StopAfterLongRun)->Arg(100000)->Arg(4000000)->Unit(benchmark::kMillisecond);

// One step taken back at every depth of a full journal: the journal is filled
// with 100,000 steps, then taken back step by step (and filled again when
// empty, outside the measured time). Under the teaching model, and under a
// part's rules with Timer0 interrupting after every instruction.
void stepBack(benchmark::State& st, parts::Model model, const std::vector<std::string>& program) {
    state::MainForm form;
    form.chosenModel = model;
    bench::loadProgram(form, program);
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    debug::Debugger debugger(form, simulator, nullptr);
    for (auto _ : st) {
        if (!debugger.canStepBack()) {
            st.PauseTiming();
            for (std::size_t i = 0; i < debug::StepJournal::maxSteps; ++i)
                simulator.Step_Click();
            st.ResumeTiming();
        }
        benchmark::DoNotOptimize(debugger.stepBack());
    }
}
void BM_StepBack(benchmark::State& st) {
    stepBack(st, parts::Model::Teaching,
             {"INC\t20", "DEC\t21 W", "ADD\t22", "SPA\t23", "JSR\t0007", "STA\t05", "JMP\t0000",
              "RLA\t24", "XOR\t25 W", "RTS"});
}
BENCHMARK(BM_StepBack)->Unit(benchmark::kMicrosecond);
void BM_StepBackInterrupted(benchmark::State& st) {
    stepBack(st, parts::Model::F84A,
             {"JMP\t0009", "NOP", "NOP", "NOP", "INC\t21", "LDA\tFF H", "STA\t01", "RES\t0B,2",
              "RTI", "LDA\t08 H", "OPTION", "LDA\tA0 H", "STA\t0B", "INC\t20", "JMP\t000D"});
}
BENCHMARK(BM_StepBackInterrupted)->Unit(benchmark::kMicrosecond);

// A program whose line 0 jumps or calls to its last line, by address.
std::vector<std::string> toLastLine(const std::string& mnemonic, int lines) {
    auto program = bench::repeated("NOP\t", lines);
    program[0] = mnemonic + "\t" + state::hex4(lines - 1);
    return program;
}

// The target is found by its address; the first Step gathers the addresses,
// the measured ones must not walk the program again.
void BM_JumpToLast(benchmark::State& st) {
    state::MainForm form;
    bench::loadProgram(form, toLastLine("JMP", static_cast<int>(st.range(0))));
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    simulator.Step_Click();
    for (auto _ : st) {
        form.Code.select(0);
        measuredStep(simulator);
    }
    st.SetLabel(std::to_string(form.Code.count()) + " lines");
}
BENCHMARK(BM_JumpToLast)->Arg(10)->Arg(40000);

void BM_JumpToLastDebugged(benchmark::State& st) {
    debuggedSteps(
        st, toLastLine("JMP", static_cast<int>(st.range(0))),
        [](auto&, sim::Simulator& simulator) { simulator.Step_Click(); }, [](auto&) {});
}
BENCHMARK(BM_JumpToLastDebugged)->Arg(10)->Arg(40000);

// As the jump, and the pushed entry is taken off again so that every
// iteration calls from the same depth.
void BM_CallToLast(benchmark::State& st) {
    state::MainForm form;
    bench::loadProgram(form, toLastLine("JSR", static_cast<int>(st.range(0))));
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    simulator.Step_Click();
    form.SPReg.removeAt(form.SPReg.count() - 1);
    for (auto _ : st) {
        form.Code.select(0);
        measuredStep(simulator);
        form.SPReg.removeAt(form.SPReg.count() - 1);
    }
    st.SetLabel(std::to_string(form.Code.count()) + " lines");
}
BENCHMARK(BM_CallToLast)->Arg(10)->Arg(40000);

// The explanation the window shows under the entry line, worked out once per
// change while the views are shown: a byte operation, and a jump to the
// program's last line, whose target is found as the Step finds it.
void BM_ExplainAdd(benchmark::State& st) {
    state::MainForm form;
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    bench::loadProgram(form, bench::repeated("ADD\t20 W", 10));
    form.Code.select(0);
    for (auto _ : st)
        benchmark::DoNotOptimize(debug::explainStep(form, simulator));
}
BENCHMARK(BM_ExplainAdd);

void BM_ExplainJumpToLast(benchmark::State& st) {
    state::MainForm form;
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    bench::loadProgram(form, toLastLine("JMP", static_cast<int>(st.range(0))));
    form.Code.select(0);
    for (auto _ : st)
        benchmark::DoNotOptimize(debug::explainStep(form, simulator));
    st.SetLabel(std::to_string(form.Code.count()) + " lines");
}
BENCHMARK(BM_ExplainJumpToLast)->Arg(10)->Arg(40000);

// The same under the 16F84A's rules: the part's step on an overlay of the
// machine, and its words; a jump to the last line, a short program and one
// that fills the 16F84A's 1K words.
void BM_ExplainPartJumpToLast(benchmark::State& st) {
    state::MainForm form;
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    form.chosenModel = parts::Model::F84A;
    bench::loadProgram(form, toLastLine("JMP", static_cast<int>(st.range(0))));
    for (auto _ : st)
        benchmark::DoNotOptimize(debug::explainStep(form, simulator));
    st.SetLabel(std::to_string(form.Code.count()) + " lines");
}
BENCHMARK(BM_ExplainPartJumpToLast)->Arg(10)->Arg(1000);

} // namespace
