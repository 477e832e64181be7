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
                ASSERT_TRUE(textState(ran.form, ran.debugger) ==
                            states[static_cast<std::size_t>(p)])
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
                ASSERT_TRUE(textState(ran.form, ran.debugger) ==
                            states[static_cast<std::size_t>(p)])
                    << "at step " << p;
                box.setValue(ticked);
            }
        }
    }
}

struct WatchCase {
    parts::Model model;
    std::vector<std::string> program;
    debug::Watch watch;
    long long steps; // the instructions executed when the watch is met
    std::string told;
};

// How the machine went until the watch was met: the steps and what was told.
struct Met {
    long long steps;
    std::string told;
    bool operator==(const Met&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Met& m) {
    return out << m.steps << " steps, '" << m.told << "'";
}

// Steps one by one, a run at the speed Start gives and one at full speed:
// each stops, or tells, after the same step with the same words.
Met meetWatch(const WatchCase& c, int way) {
    DebugMachine m({"NOP"});
    m.form.chosenModel = c.model;
    Machine::load(m.form, c.program);
    sim::RunMessages messages{m.form, m.messages};
    CountingClock clock;
    sim::RunControl run{m.form, m.simulator, messages, clock};
    debug::Debugger d{m.form, m.simulator, &run};
    std::string told;
    d.setNotice([&](const std::string& text) { told = text; });
    d.watches().add(c.watch);
    if (way == 0) {
        for (int i = 0; i < 100 && told.empty(); ++i)
            m.step();
    } else {
        way == 1 ? run.StartKey_Click() : run.FullSpeed_Click();
        for (int tick = 0; tick < 1000 && m.form.Timer1.enabled(); ++tick)
            run.Timer1_Timer();
    }
    return {d.count().instructions, told};
}

TEST(Watches, StopRunsAfterTheStepThatMeetsTheirConditionAsStepsTellIt) {
    using C = debug::WatchCondition;
    const auto T = parts::Model::Teaching;
    const std::vector<std::string> twoStores{"LDA 00 H", "STA 20", "LDA 05 H", "STA 20",
                                             "JMP 0004"};
    const WatchCase cases[] = {
        {T,
         twoStores,
         {0x20, -1, C::Change, 0, "20"},
         4,
         "Watch: 20 changed from 00 to 05 by the line at 0003."},
        // A store of the value the register holds is a write, not a change.
        {T,
         twoStores,
         {0x20, -1, C::AnyWrite, 0, "20"},
         2,
         "Watch: 20 written with 00 by the line at 0001."},
        {T,
         {"LDA 05 H", "STA 20", "INC 20", "JMP 0002"},
         {0x20, -1, C::Equals, 7, "20"},
         5,
         "Watch: 20 changed from 06 to 07 by the line at 0002."},
        {T,
         {"CLR 21", "INC 21", "JMP 0001"},
         {0x21, -1, C::NotEquals, 0, "21"},
         2,
         "Watch: 21 changed from 00 to 01 by the line at 0001."},
        // Bit 0 of the whole register: the condition's value names the bit.
        {T,
         {"LDA 01 H", "STA 20", "INC 20", "JMP 0002"},
         {0x20, -1, C::BitClear, 0, "20"},
         3,
         "Watch: 20 changed from 01 to 02 by the line at 0002."},
        {T,
         {"LDA 01 H", "STA 06", "RLA 06", "JMP 0002"},
         {6, 3, C::BitSet, 0, "PORTB.3"},
         7,
         "Watch: PORTB.3 changed from 0 to 1 by the line at 0002."},
        // Z changes in STATUS through a line that names another register.
        {T,
         {"LDA 02 H", "STA 20", "DEC 20", "JMP 0002"},
         {3, 2, C::BitSet, 0, "STATUS.2"},
         5,
         "Watch: STATUS.2 changed from 0 to 1 by the line at 0002."},
        // Through INDF the write lands on the register FSR points at.
        {T,
         {"LDA 22 H", "STA 04", "LDA 09 H", "STA 00", "JMP 0004"},
         {0x22, -1, C::Change, 0, "22"},
         4,
         "Watch: 22 changed from 00 to 09 by the line at 0003."},
        // With the bank bit set, 05 is TRISA at 85.
        {T,
         {"LDA 0F H", "SET 03,5", "STA 05", "JMP 0003"},
         {0x85, -1, C::Change, 0, "TRISA"},
         3,
         "Watch: TRISA changed from 00 to 0F by the line at 0002."},
        {T,
         {"LDA 03 H", "JMP 0001"},
         {-1, -1, C::Equals, 3, "W"},
         1,
         "Watch: W changed from 00 to 03 by the line at 0000."},
        // Under a part, STATUS at 03 and its mirror at 83 are one register.
        {parts::Model::F84A,
         {"NOP", "SET 03,0", "JMP 0002"},
         {0x83, 0, C::BitSet, 0, "83.0"},
         2,
         "Watch: 83.0 changed from 0 to 1 by the line at 0001."},
        // The 16F877A shows 70-7F of bank 0 in every bank.
        {parts::Model::F877A,
         {"LDA 30 H", "STA 70", "JMP 0002"},
         {0xF0, -1, C::Change, 0, "F0"},
         2,
         "Watch: F0 changed from 00 to 30 by the line at 0001."},
    };
    for (const WatchCase& c : cases) {
        SCOPED_TRACE(c.watch.name + " in " + c.program[1]);
        for (int way = 0; way < 3; ++way)
            EXPECT_EQ(meetWatch(c, way), (Met{c.steps, c.told})) << "way " << way;
        // A part meets a watch on a general register as the teaching model does.
        if (c.model == T && c.watch.reg >= 0x20 && c.watch.reg < 0x30) {
            WatchCase onPart = c;
            onPart.model = parts::Model::F84A;
            for (int way = 0; way < 3; ++way)
                EXPECT_EQ(meetWatch(onPart, way), (Met{c.steps, c.told})) << "F84A way " << way;
        }
    }
}

// A run that stops at a breakpoint, under the teaching model or a part,
// leaves each watch showing its value and the value before the last step as
// that many Steps do, whether or not the last step wrote it and whatever its
// condition.
TEST(Watches, ShowTheValueBeforeTheLastStepOfARunAsStepsDo) {
    using C = debug::WatchCondition;
    const std::vector<std::string> program{"LDA 05 H", "STA 20", "INC 20", "INC 21", "JMP 0002"};
    const auto shown = [&](parts::Model model, int way) {
        DebugMachine m({"NOP"});
        m.form.chosenModel = model;
        Machine::load(m.form, program);
        sim::RunMessages messages{m.form, m.messages};
        CountingClock clock;
        sim::RunControl run{m.form, m.simulator, messages, clock};
        debug::Debugger d{m.form, m.simulator, &run};
        for (const auto& [reg, condition] :
             {std::pair{0x20, C::None}, {0x21, C::Equals}, {0x21, C::None}, {-1, C::None}})
            d.watches().add({reg, -1, condition, 0xC8, reg < 0 ? "W" : state::hex2(reg)});
        d.breakpoints().toggle(4);
        if (way == 0) {
            for (int i = 0; i < 4; ++i)
                m.step();
        } else {
            way == 1 ? run.StartKey_Click() : run.FullSpeed_Click();
            for (int tick = 0; tick < 1000 && m.form.Timer1.enabled(); ++tick)
                run.Timer1_Timer();
        }
        std::string text = std::to_string(d.count().instructions);
        for (std::size_t i = 0; i < d.watches().watches().size(); ++i)
            text += " " + std::to_string(d.watchValue(i)) + "/" + std::to_string(d.watchBefore(i));
        return text;
    };
    for (const parts::Model model : {parts::Model::Teaching, parts::Model::F84A}) {
        SCOPED_TRACE(parts::modelName(model));
        EXPECT_EQ(shown(model, 0), "4 6/6 1/0 1/0 5/5");
        EXPECT_EQ(shown(model, 1), shown(model, 0));
        EXPECT_EQ(shown(model, 2), shown(model, 0));
    }
}

} // namespace
} // namespace mirel::testing
