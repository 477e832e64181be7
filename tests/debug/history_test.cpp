// The machine over time: the trace of the history, jumps to any step of it,
// the statistics over it, and watches that stop runs.
#include "debug/debug_fixture.h"
#include "debug/random_program.h"
#include "sim/run_messages.h"
#include "state/w_register.h"
#include "timeline/step_statistics.h"

#include <random>

namespace mirel::testing {
namespace {

// The row a timeline shows for the machine as it stands.
std::vector<int> rowOf(const state::MainForm& f, const debug::Debugger& d) {
    return {f.registers.value(state::PORTA), f.registers.value(state::PORTB), state::WData(f),
            f.Code.selectedIndex(), static_cast<int>(d.count().cycles)};
}

std::vector<int> traceRow(const timeline::StepTrace& t, long long p) {
    return {t.value(p, 0), t.value(p, 1), t.value(p, 2), t.nextLine(p),
            static_cast<int>(t.cycles(p))};
}

// Steps, runs on values and a box ticked halfway, the same on two machines:
// one only Steps and keeps what each step left; the other runs, and its
// history must give the same rows, and jumps to the same states.
TEST(History, TracesAndJumpsToEveryStepAsStepsLeftItUnderEveryModel) {
    for (parts::Model model : parts::allModels()) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(std::string(parts::modelName(model)) + " seed " + std::to_string(seed));
            std::mt19937 rng(seed * 7 + static_cast<unsigned>(model));
            const auto program = randomProgram(rng, 40, model != parts::Model::Teaching);
            const std::size_t first = rng() % 8, later = rng() % 8;
            DebugMachine ran({"NOP"}), stepped({"NOP"});
            for (DebugMachine* m : {&ran, &stepped}) {
                m->form.chosenModel = model;
                Machine::load(m->form, program);
                m->form.InB[first].setValue(1);
            }
            std::vector<std::vector<int>> rows{rowOf(stepped.form, stepped.debugger)};
            std::vector<std::string> states{textState(stepped.form, stepped.debugger)};
            const auto stepTo = [&](long long steps) {
                for (long long i = 0; i < steps; ++i) {
                    stepped.step();
                    rows.push_back(rowOf(stepped.form, stepped.debugger));
                    states.push_back(textState(stepped.form, stepped.debugger));
                }
            };
            const auto run = [&](long long steps) {
                for (long long done = 0; done < steps;)
                    done += ran.simulator.run(steps - done);
            };
            ran.step(50);
            stepTo(50);
            run(700);
            stepTo(700);
            ran.form.InB[later].setValue(1);
            stepped.form.InB[later].setValue(1);
            run(250);
            stepTo(250);

            debug::HistoryTrace trace;
            ran.debugger.followHistory(trace);
            ASSERT_TRUE(textState(ran.form, ran.debugger) == states.back()) << "the walk moved it";
            ASSERT_EQ(trace.trace.first(), 0);
            ASSERT_EQ(trace.trace.end(), 1001);
            for (long long p = 0; p <= 1000; ++p)
                ASSERT_EQ(traceRow(trace.trace, p), rows[static_cast<std::size_t>(p)])
                    << "row " << p;

            // The statistics count what the steps counted.
            const auto counted = timeline::countSteps(trace.trace, [&](int line) {
                return timeline::mnemonicOfLine(ran.form.Code.line(line));
            });
            EXPECT_EQ(counted.instructions, stepped.debugger.count().instructions);
            EXPECT_EQ(counted.cycles, stepped.debugger.count().cycles);
            long long runs = 0;
            for (const auto& m : counted.mnemonics)
                runs += m.runs;
            EXPECT_EQ(runs, counted.instructions);

            for (long long p : {999LL, 752LL, 751LL}) {
                ASSERT_TRUE(ran.debugger.goTo(p));
                ASSERT_TRUE(textState(ran.form, ran.debugger) == states[static_cast<std::size_t>(p)])
                    << "at step " << p;
                ran.debugger.followHistory(trace);
                ASSERT_EQ(trace.trace.end(), 1001) << "rows ahead stay";
            }
            ASSERT_TRUE(ran.debugger.goTo(1000));
            EXPECT_TRUE(textState(ran.form, ran.debugger) == states.back());
            // A Step from a jump back gives the rows ahead again; a tick makes them void.
            ASSERT_TRUE(ran.debugger.goTo(800));
            ran.step();
            ran.debugger.followHistory(trace);
            EXPECT_EQ(trace.trace.end(), 1001);
            auto& a0 = ran.form.InA[0];
            a0.setValue(1 - a0.value());
            ran.debugger.followHistory(trace);
            EXPECT_EQ(trace.trace.end(), 802);
            a0.setValue(1 - a0.value());
            // Before the tick at 750 the box was as the user had it then, as
            // going back step by step.
            auto& box = ran.form.InB[later];
            const int ticked = box.value();
            for (long long p : {640LL, 3LL, 0LL}) {
                ASSERT_TRUE(ran.debugger.goTo(p));
                box.setValue(first == later ? 1 : 0);
                ASSERT_TRUE(textState(ran.form, ran.debugger) == states[static_cast<std::size_t>(p)])
                    << "at step " << p;
                box.setValue(ticked);
            }
        }
    }
}

} // namespace
} // namespace mirel::testing
