// The timeline's trace of the history: after Steps, runs on values and
// take-backs it holds, row by row, what Step by Step showed.
#include "debug/debugger.h"
#include "debug/random_program.h"
#include "sim/device_fixture.h"
#include "sim/machine_fixture.h"
#include "state/w_register.h"

#include <random>

namespace mirel::testing {
namespace {

// A row as a Step leaves the machine: the columns, the cycles and the line
// the next step executes.
struct Row {
    std::vector<int> values;
    long long cycles;
    int line;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    out << "cycles " << row.cycles << " line " << row.line << " values";
    for (int v : row.values)
        out << ' ' << v;
    return out;
}

std::vector<timeline::TraceColumn> columns() {
    auto all = timeline::defaultColumns();
    all.push_back({"20", 0x20, 0});
    all.push_back({"21", 0x21, 0});
    return all;
}

Row shown(const state::MainForm& form, const debug::Debugger& debugger) {
    Row row{{}, debugger.count().cycles, form.Code.selectedIndex()};
    for (const auto& c : columns())
        row.values.push_back(c.reg < 0 ? state::WData(form) : form.registers.value(c.reg));
    return row;
}

Row traced(const timeline::StepTrace& trace, long long position) {
    Row row{{}, trace.cycles(position), trace.nextLine(position)};
    for (std::size_t c = 0; c < trace.columns().size(); ++c)
        row.values.push_back(trace.value(position, c));
    return row;
}

struct Traced : Machine {
    Traced(parts::Model model, const std::vector<std::string>& lines) : Machine({"NOP"}) {
        form.chosenModel = model;
        Machine::load(form, {});
        Machine::loadLines(form, lines, 0);
    }
    debug::Debugger debugger{form, simulator, nullptr};
    debug::HistoryTrace history{timeline::StepTrace(columns())};
};

// One machine steps and notes each row; its twin runs the same steps on
// values in stretches of random length, following its trace now and then,
// then takes steps back and forth. Every row the twin's trace holds is the
// one the Steps showed, the lines included.
TEST(HistoryTrace, HoldsWhatStepsShowedAfterRunsAndTakeBacks) {
    const auto timer = at(0, {"JMP\t0010"}) + at(4, {"INC\t21", "RES\t0B,2", "RTI"}) +
                       at(0x10, {"LDA\t01 H", "OPTION", "LDA\tA0 H", "STA\t0B", "INC\t20",
                                 "STA\t06", "JMP\t0014"});
    for (parts::Model model : {parts::Model::Teaching, parts::Model::F84A, parts::Model::F628A}) {
        for (unsigned seed = 0; seed <= 3; ++seed) {
            SCOPED_TRACE(std::string(parts::modelName(model)) + " seed " + std::to_string(seed));
            std::mt19937 rng(seed);
            const bool part = model != parts::Model::Teaching;
            const auto lines = seed == 0 && part ? timer : at(0, randomProgram(rng, 30, part));
            Traced stepped(model, lines), run(model, lines);
            std::vector<Row> rows{shown(stepped.form, stepped.debugger)};
            for (int done = 0; done < 600;) {
                const auto ran = static_cast<int>(run.simulator.run(1 + rng() % 90));
                ASSERT_GT(ran, 0);
                for (int i = 0; i < ran; ++i) {
                    stepped.step();
                    rows.push_back(shown(stepped.form, stepped.debugger));
                }
                done += ran;
                if (rng() % 3 == 0)
                    run.debugger.followHistory(run.history);
            }
            const auto check = [&](const char* when) {
                run.debugger.followHistory(run.history);
                const timeline::StepTrace& trace = run.history.trace;
                ASSERT_EQ(trace.first(), 0) << when;
                ASSERT_GE(trace.end(), run.debugger.position() + 1) << when;
                for (long long p = trace.first(); p < trace.end(); ++p)
                    ASSERT_EQ(traced(trace, p), rows[static_cast<std::size_t>(p)])
                        << when << ", step " << p;
            };
            check("after the runs");
            const long long end = run.debugger.position();
            for (int i = 0; i < 40; ++i)
                ASSERT_TRUE(run.debugger.stepBack());
            check("taken back");
            EXPECT_EQ(run.history.trace.end(), end + 1); // the steps after stay
            ASSERT_TRUE(run.debugger.goTo(end - 100));
            check("gone to a step");
            EXPECT_EQ(shown(run.form, run.debugger), rows[static_cast<std::size_t>(end - 100)]);
        }
    }
}

} // namespace
} // namespace mirel::testing
