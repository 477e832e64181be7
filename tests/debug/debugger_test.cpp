// Step Back, breakpoints, counts and Reset on the core models.
#include "debug/debug_fixture.h"
#include "debug/random_program.h"
#include "sim/device_fixture.h"
#include "sim/machine_fixture.h"
#include "sim/run_control.h"
#include "sim/run_messages.h"
#include "state/direct_edits.h"

#include <random>
#include <sstream>

namespace mirel::testing {
namespace {

TEST(StepBack, TakesEveryStepOfRandomProgramsBackToTheStateBeforeIt) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        DebugMachine m(randomProgram(rng, 40));
        m.setReg(state::FSR, 0x20 + static_cast<int>(rng() % 4));
        for (int r = 0x20; r < 0x24; ++r)
            m.setReg(r, static_cast<int>(rng() % 256));
        m.form.InA[rng() % 8].setValue(1);
        m.form.InB[rng() % 8].setValue(1);
        m.debugger.clearHistory();

        std::vector<std::string> before;
        for (int i = 0; i < 300; ++i) {
            before.push_back(textState(m.form, m.debugger));
            m.step();
        }
        for (int i = 299; i >= 0; --i) {
            ASSERT_TRUE(m.debugger.stepBack());
            ASSERT_EQ(textState(m.form, m.debugger), before[static_cast<std::size_t>(i)])
                << "after taking back step " << i;
        }
        EXPECT_FALSE(m.debugger.stepBack());
    }
}

// A run on values (full speed, the batch driver) leaves after every run what
// as many Steps leave, stops at the same breakpoints, and its steps are taken
// back one by one to the states the Steps passed through.
TEST(ValueRuns, LeaveWhatStepsLeaveAndAreTakenBackStepByStep) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        const auto program = randomProgram(rng, 30);
        DebugMachine stepped(program), run(program);
        const int fsr = 0x20 + static_cast<int>(rng() % 4);
        const std::size_t tickA = rng() % 8, tickB = rng() % 8;
        const int breakLine = static_cast<int>(rng() % 30);
        for (DebugMachine* m : {&stepped, &run}) {
            m->setReg(state::FSR, fsr);
            m->form.InA[tickA].setValue(1);
            m->form.InB[tickB].setValue(1);
            if (seed % 2)
                m->debugger.breakpoints().set(breakLine, true);
            m->debugger.clearHistory();
        }
        std::vector<std::string> before{textState(stepped.form, stepped.debugger)};
        for (int done = 0; done < 400;) {
            const int ran = static_cast<int>(run.simulator.run(1 + rng() % 60));
            for (int i = 0; i < ran; ++i) {
                stepped.step();
                before.push_back(textState(stepped.form, stepped.debugger));
            }
            done += ran;
            ASSERT_EQ(textState(run.form, run.debugger), before.back()) << "after " << done;
            ASSERT_EQ(run.debugger.changedRegisters(), stepped.debugger.changedRegisters());
            ASSERT_EQ(run.debugger.wChanged(), stepped.debugger.wChanged());
        }
        for (std::size_t i = before.size() - 1; i-- > 0;) {
            ASSERT_TRUE(run.debugger.stepBack());
            ASSERT_EQ(textState(run.form, run.debugger), before[i])
                << "after taking back step " << i;
        }
        EXPECT_FALSE(run.debugger.stepBack());
    }
}

// Under a part's rules Step Back also takes back what no line shows (the
// program counter where no line carries it, Timer0's prescaler and hold, the
// stack's slots), so that stepping on again repeats the same steps.
TEST(StepBack, UnderAPartsRulesStepsOnAgainAsBefore) {
    Machine m({"NOP"});
    m.form.chosenModel = parts::Model::F84A;
    Machine::load(m.form, {});
    auto at = [](int address, const char* text) { return state::hex4(address) + "\t" + text; };
    Machine::loadLines(m.form,
                       {at(0, "JMP\t0010"), at(4, "INC\t21"), at(5, "LDA\tF0 H"), at(6, "STA\t01"),
                        at(7, "RES\t0B,2"), at(8, "RTI"), at(0x10, "LDA\t01 H"), at(0x11, "OPTION"),
                        at(0x12, "LDA\tF0 H"), at(0x13, "STA\t01"), at(0x14, "LDA\tA0 H"),
                        at(0x15, "STA\t0B"), at(0x16, "INC\t20"), at(0x17, "JSR\t001A"),
                        at(0x18, "JMP\t0016"), at(0x1A, "RTS")},
                       0);
    debug::Debugger debugger{m.form, m.simulator, nullptr};
    std::vector<std::string> seen;
    for (int i = 0; i < 400; ++i) {
        seen.push_back(textState(m.form, debugger));
        m.step();
    }
    EXPECT_GT(m.reg(0x21), 3); // the timer interrupted a few times
    for (int i = 0; i < 250; ++i)
        ASSERT_TRUE(debugger.stepBack());
    for (int i = 150; i < 400; ++i) {
        ASSERT_EQ(textState(m.form, debugger), seen[static_cast<std::size_t>(i)]) << i;
        m.step();
    }
}

// The same under each part's rules, with programs that also reach TMR0, PCL,
// PCLATH and INTCON: computed jumps, Timer0, interrupts and sleep.
TEST(StepBack, UnderAPartsRulesTakesEveryStepOfRandomProgramsBack) {
    for (parts::Model model : {parts::Model::F84A, parts::Model::F628A, parts::Model::F877A}) {
        for (unsigned seed = 1; seed <= 8; ++seed) {
            SCOPED_TRACE("seed " + std::to_string(seed));
            std::mt19937 rng(seed);
            DebugMachine m({"NOP"});
            m.form.chosenModel = model;
            Machine::load(m.form, randomProgram(rng, 40, true));
            m.form.InB[rng() % 8].setValue(1);
            // Halfway the user ticks another box: an edge or a change for the
            // interrupts. Going back past it the box is unticked again by hand.
            auto& later = m.form.InB[rng() % 8];
            const int laterBefore = later.value();
            std::vector<std::string> before;
            for (int i = 0; i < 300; ++i) {
                before.push_back(textState(m.form, m.debugger));
                m.step();
                if (i == 150)
                    later.setValue(1);
            }
            for (int i = 299; i >= 0; --i) {
                if (i == 150)
                    later.setValue(laterBefore);
                ASSERT_TRUE(m.debugger.stepBack());
                ASSERT_EQ(textState(m.form, m.debugger), before[static_cast<std::size_t>(i)])
                    << "after taking back step " << i;
            }
            EXPECT_FALSE(m.debugger.stepBack());
            EXPECT_EQ(m.form.Reg.count(), state::registerCount);
        }
    }
}

// The journal keeps standard register lines and W as values: texts typed by
// hand that a step overwrites must come back as typed, and the highlight
// must compare them as texts.
TEST(StepBack, BringsBackTextsTypedIntoWAndRegisterLines) {
    const std::pair<const char*, const char*> typed[] = {
        {"5", "0020\t5"},
        {"a5", "0020\ta5   10100101"},
        {"zz", "0020\tZZ   junk"},
        {"0A ", "0021\t0A   00001010 "},
    };
    for (const auto& [w, line] : typed) {
        SCOPED_TRACE(w);
        DebugMachine m({"LDA\t20 W", "INC\t20", "STA\t21", "CLR\t20", "JMP\t0000"});
        m.form.W.setText(w);
        state::replaceRegisterLine(m.form, 0x20, line);
        state::replaceRegisterLine(m.form, 0x21, line);
        m.debugger.clearHistory();
        const std::string start = textState(m.form, m.debugger);
        m.step(1);
        EXPECT_TRUE(m.debugger.wChanged());
        m.step(11);
        for (int i = 0; i < 12; ++i)
            ASSERT_TRUE(m.debugger.stepBack());
        EXPECT_EQ(textState(m.form, m.debugger), start);
    }
}

// A program that calls itself without end grows the stack by a line a step;
// steps taken back through many snapshots, then taken again after a return
// that changes the stack below its top, bring back every line.
TEST(StepBack, BringsBackAStackThatGrowsWithoutEnd) {
    DebugMachine m({"JSR\t0001", "JSR\t0000", "RTS"}); // entries 0 and 1 in turn
    std::vector<std::vector<std::string>> stacks;
    for (int i = 0; i < 1000; ++i) {
        stacks.push_back(m.form.SPReg.lines());
        m.step(1);
    }
    for (int i = 999; i >= 600; --i) {
        ASSERT_TRUE(m.debugger.stepBack());
        ASSERT_EQ(m.form.SPReg.lines(), stacks[static_cast<std::size_t>(i)]) << i;
    }
    // Another way on from here: a return, then calls again, a line out of
    // turn, and back through the snapshots taken on that way.
    m.form.Code.select(2);
    std::vector<std::vector<std::string>> other;
    for (int i = 0; i < 300; ++i) {
        other.push_back(m.form.SPReg.lines());
        m.step(1);
    }
    for (int i = 299; i >= 0; --i) {
        ASSERT_TRUE(m.debugger.stepBack());
        ASSERT_EQ(m.form.SPReg.lines(), other[static_cast<std::size_t>(i)]) << i;
    }
}

TEST(StepBack, KeepsTheLastHundredThousandStepsAndForgetsOnUserChanges) {
    // The steps out of reach go 1,024 at a time. The oldest step left keeps
    // a hand-typed line and a moved caret: the drop must leave exactly its records.
    std::vector<std::string> program(1024, "NOP");
    program.insert(program.end(), {"INC\t20", "JMP\t0400"});
    DebugMachine m(program);
    m.form.Reg.replaceAt(0x20, "0020\t5A by hand");
    m.step(1024);
    m.form.Counter.setCaret(2);
    const std::string oldest = textState(m.form, m.debugger);
    m.step(100000);
    EXPECT_EQ(m.debugger.journal().size(), debug::StepJournal::maxSteps);
    int back = 0;
    while (m.debugger.stepBack())
        ++back;
    EXPECT_EQ(back, 100000);
    EXPECT_EQ(textState(m.form, m.debugger), oldest);

    // Typing into W, Mirel and the entry line's Enter each empty the history;
    // a tick in an input box does not.
    using Edit = std::function<void(state::MainForm&)>;
    const std::pair<const char*, Edit> edits[] = {
        {"tick", [](state::MainForm& f) { f.InA[0].setValue(1); }},
        {"W typed", [](state::MainForm& f) { f.W.setText("12"); }},
        {"Mirel", [](state::MainForm& f) { state::Mirel_Click(f); }},
        {"Enter", [](state::MainForm& f) { state::Counter_KeyPress(f, state::enterKey); }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        DebugMachine d({"INC\t20", "NOP", "NOP"});
        d.step(2);
        edit(d.form);
        EXPECT_EQ(d.debugger.canStepBack(), std::string(name) == "tick");
    }
}

TEST(Breakpoints, StayOnTheirLinesThroughEditsAndGoWithANewProgram) {
    DebugMachine m(std::vector<std::string>(8, "NOP"));
    auto& marks = m.debugger.breakpoints();
    marks.toggle(2);
    marks.toggle(5);
    m.form.Code.insertAt(0, "x"); // above both
    m.form.Code.insertAt(4, "y"); // between
    m.form.Code.removeAt(1);      // above both
    m.form.Code.insertAt(7, "z"); // below both
    EXPECT_EQ(marks.lines(), (std::vector<int>{2, 6}));
    m.form.Code.removeAt(2); // the marked line itself
    EXPECT_EQ(marks.lines(), (std::vector<int>{5}));
    marks.toggle(5);
    marks.toggle(9); // beyond the program: nothing
    EXPECT_TRUE(marks.lines().empty());

    marks.toggle(3);
    Machine::loadLines(m.form, {"0000\tNOP"}, 0);
    EXPECT_TRUE(marks.lines().empty());
    marks.toggle(0);
    state::NoWindowPlacement placement;
    state::NewProgram(m.form, placement);
    EXPECT_TRUE(marks.lines().empty());
}

TEST(CycleCount, TwoForTransfersAndTakenSkipsOneOtherwiseNoneWithoutAnInstruction) {
    const struct {
        std::vector<std::string> program;
        int value20; // register 20 before
        int instructions;
        int cycles;
    } cases[] = {
        {{"NOP"}, 0, 1, 1},
        {{"INC\t20"}, 0, 1, 1},
        {{"RRA\t20 W"}, 0, 1, 1},
        {{"SET\t20,1"}, 0, 1, 1},
        {{"DEZ\t20"}, 1, 1, 2},
        {{"DEZ\t20"}, 2, 1, 1},
        {{"INZ\t20"}, 0xFF, 1, 2},
        {{"INZ\t20"}, 0, 1, 1},
        {{"JBR\t20,0"}, 0, 1, 2},
        {{"JBR\t20,0"}, 1, 1, 1},
        {{"JBS\t20,0"}, 1, 1, 2},
        {{"JBS\t20,0"}, 0, 1, 1},
        {{"JMP\t0000"}, 0, 1, 2},
        {{"JSR\t0000"}, 0, 1, 2},
        {{"JSR\t0001", "RET\t05 H"}, 0, 2, 4},
        {{"JSR\t0001", "RTS"}, 0, 2, 4},
        {{"JSR\t0001", "RTI"}, 0, 2, 4},
        {{"OPTION"}, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program.back());
        std::vector<std::string> program = c.program;
        program.insert(program.end(), 3, "NOP");
        DebugMachine m(program);
        m.setReg(0x20, c.value20);
        m.step(static_cast<int>(c.program.size()));
        EXPECT_EQ(m.debugger.count().instructions, c.instructions);
        EXPECT_EQ(m.debugger.count().cycles, c.cycles);
    }
    debug::CycleCount count{3, 1234567};
    EXPECT_EQ(debug::statusText(count),
              "Instructions: 3    Cycles: 1234567    Time at 4 MHz: 1.234567 s");
}

TEST(Reset, LeavesTheMachineAsOpenDidKeepingProgramBreakpointsAndTicks) {
    const std::vector<std::string> program = {"LDA\t3C H", "STA\t06", "JSR\t0003", "INC\t20"};
    DebugMachine opened(program);
    DebugMachine m(program);
    for (DebugMachine* d : {&m, &opened}) {
        d->form.InB[1].setValue(1);
        d->step(4);
    }
    Machine::load(opened.form, program);
    opened.form.W.setText("00");    // Open leaves W as it was; Reset clears it too
    opened.form.InB[1].setValue(1); // Open unticks the boxes; Reset keeps them
    m.debugger.breakpoints().toggle(3);
    m.debugger.reset();
    EXPECT_EQ(textState(m.form, m.debugger), textState(opened.form, opened.debugger));
    EXPECT_EQ(m.form.Code.lines(), opened.form.Code.lines());
    EXPECT_EQ(m.debugger.breakpoints().lines(), std::vector<int>{3});
    EXPECT_FALSE(m.debugger.canStepBack());
}

TEST(Breakpoints, EndARunAtAnySpeedAfterTheStepThatReachesThem) {
    for (bool full : {false, true}) {
        SCOPED_TRACE(full ? "full speed" : "Start");
        // Line 2 jumps to itself: a run stopped there steps once more and stops again.
        Machine m({"NOP", "NOP", "JMP\t0002", "NOP"});
        sim::RunMessages messages{m.form, m.messages};
        CountingClock clock;
        sim::RunControl run{m.form, m.simulator, messages, clock};
        debug::Debugger d{m.form, m.simulator, &run};
        d.breakpoints().toggle(2);
        for (int pass = 0; pass < 2; ++pass) {
            full ? run.FullSpeed_Click() : run.StartKey_Click();
            for (int tick = 0; tick < 5; ++tick)
                run.Timer1_Timer();
            EXPECT_FALSE(m.form.Timer1.enabled());
            EXPECT_TRUE(m.form.RegView.visible());
            EXPECT_EQ(m.form.Code.selectedIndex(), 2);
        }
        EXPECT_EQ(d.count().instructions, 3);
        // Step itself passes over a breakpoint.
        m.simulator.Step_Click();
        EXPECT_EQ(d.count().instructions, 4);
    }
}

// A clock whose turn lasts a given number of readings.
class ReadingsClock final : public sim::ElapsedClock {
public:
    explicit ReadingsClock(int turn) : turn_(turn) {}
    void restart() override { readings = 0; }
    std::chrono::nanoseconds elapsed() const override {
        return ++readings > turn_ ? std::chrono::hours(1) : std::chrono::nanoseconds(0);
    }
    mutable int readings = 0;

private:
    int turn_;
};

// A full-speed turn long enough that the steps before the journal's last
// hundred thousand go unrecorded: the machine, the counts and every step
// that can be taken back are as after as many Steps. With a breakpoint met
// among the unrecorded steps, the run stops there as well. A store into a
// register line typed by hand, late in the turn, is a step for the text rules
// among the runs on values: the journal records the runs before it then,
// and the breakpoint after it ends the turn.
TEST(ValueRuns, AtFullSpeedRecordOnlyWhatCanBeTakenBack) {
    // INDF, a call, the carry, the directions through bank 1, port B; line
    // 000E is reached once both counters ran out.
    std::vector<std::string> program = {
        "LDA\t20 H", "STA\t04",   "INC\t00",   "INC\t21 W", "JSR\t0010", "RLA\t22", "SET\t03,5",
        "STA\t05",   "RES\t03,5", "STA\t06",   "DEZ\t23",   "JMP\t0002", "DEZ\t24", "JMP\t0002",
        "NOP",       "JMP\t0000", "XOR\t5A H", "STA\t25",   "RTS"};
    struct Turn {
        const char* name;
        int breakpoint; // -1 for none
        bool handTyped;
        int readings; // of the clock, before the turn is over
    };
    for (const Turn turn :
         {Turn{"no breakpoint", -1, false, 14}, Turn{"breakpoint among them", 14, false, 30},
          Turn{"a step for the text rules", 15, true, 30}}) {
        SCOPED_TRACE(turn.name);
        program[14] = turn.handTyped ? "STA\t26" : "NOP";
        DebugMachine stepped(program);
        Machine fast(program);
        sim::RunMessages messages{fast.form, fast.messages};
        ReadingsClock clock(turn.readings);
        sim::RunControl run{fast.form, fast.simulator, messages, clock};
        debug::Debugger debugger{fast.form, fast.simulator, &run};
        for (auto* m : {&stepped.form, &fast.form}) {
            m->InB[3].setValue(1);
            if (turn.handTyped)
                m->Reg.replaceAt(0x26, "0026\t5A by hand");
        }
        if (turn.breakpoint >= 0) {
            stepped.debugger.breakpoints().set(turn.breakpoint, true);
            debugger.breakpoints().set(turn.breakpoint, true);
        }
        stepped.debugger.clearHistory();
        debugger.clearHistory();

        run.FullSpeed_Click();
        run.Timer1_Timer();
        run.StopKey_Click();
        const long long steps = debugger.count().instructions;
        ASSERT_GT(steps, 200'000);
        if (turn.breakpoint >= 0) {
            EXPECT_EQ(fast.form.Code.selectedIndex(), turn.breakpoint);
        }
        for (long long i = 0; i < steps; ++i)
            stepped.simulator.Step_Click();
        ASSERT_EQ(textState(fast.form, debugger), textState(stepped.form, stepped.debugger));
        for (int back = 1; stepped.debugger.stepBack(); ++back) {
            ASSERT_TRUE(debugger.stepBack()) << "step " << back;
            if (back % 997 == 0 || back > 99'990) {
                ASSERT_EQ(textState(fast.form, debugger), textState(stepped.form, stepped.debugger))
                    << "after taking back " << back;
            }
        }
        EXPECT_FALSE(debugger.stepBack());
    }
}

// The machine, the counts and the part's hidden state as one text.
std::string partText(DebugMachine& m) {
    std::ostringstream out;
    out << textState(m.form, m.debugger);
    auto* part = m.simulator.deviceMachine();
    const sim::part::PartState& s = part->hiddenState();
    out << "Hidden " << s.pc << ' ' << s.prescaler << ' ' << int{s.timerHold} << ' ' << s.sleeping
        << ' ' << int{s.portB} << ' ' << int{s.portBLatch} << ' ' << int{s.stackPointer} << ' '
        << part->woke() << " slots";
    for (auto slot : s.stack)
        out << ' ' << slot;
    out << "\nJournal " << m.debugger.journal().size() << '\n';
    return out.str();
}

// Under a part's rules a run with the debugger listening (full speed, the
// batch driver) leaves after every run what as many Steps leave, the
// highlight and the part's hidden state included, stops at the same
// breakpoints, and is taken back step by step as the Steps are; stepping on
// from there repeats the same steps, and going back as far as the journal
// reaches gives the states the Steps passed through. One run is longer than
// the journal holds, and one full-speed turn runs on past the journal's reach
// in runs recorded only once it stops.
TEST(ValueRuns, UnderAPartsRulesLeaveWhatStepsLeaveAndAreTakenBack) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        int breakLine; // -1 for none
    };
    using testing::at;
    // Timer0 interrupts a loop that counts in 20; the handler counts in 21.
    const auto timer =
        at(0, {"JMP\t0010"}) + at(4, {"INC\t21", "RES\t0B,2", "RTI"}) +
        at(0x10, {"LDA\t01 H", "OPTION", "LDA\tA0 H", "STA\t0B", "INC\t20", "JMP\t0014"});
    // Calls three deep, the deepest counting down in a loop, a return with a
    // literal, port B's lamps and directions through bank 1; the stack's
    // lines are addresses.
    const auto calls = at(0, {"CLR\t06", "SET\t03,5", "CLR\t06", "RES\t03,5", "JSR\t0010",
                              "STA\t06", "INC\t22", "JMP\t0004"}) +
                       at(0x10, {"JSR\t0014", "ADD\t22 W", "RTS"}) +
                       at(0x14, {"JSR\t0018", "XOR\t5A H", "RTS"}) +
                       at(0x18, {"DEZ\t23", "JMP\t0018", "RET\t3C H"});
    // RP1, RP0 and IRP reach the banks directly and through FSR and INDF.
    const auto banks = at(0, {"LDA\t20 H", "STA\t04", "SET\t03,7", "INC\t00", "RES\t03,7",
                              "INC\t00", "SET\t03,6", "INC\t21", "SET\t03,5", "DEC\t21",
                              "RES\t03,6", "INC\t21", "RES\t03,5", "INC\t04", "JMP\t0002"});
    // Sleeps until a tick of RB7:RB4 wakes it through the interrupt.
    const auto sleep = at(0, {"JMP\t0010"}) + at(4, {"INC\t21", "LDA\t06 W", "RES\t0B,0", "RTI"}) +
                       at(0x10, {"SET\t03,5", "LDA\tFF H", "STA\t06", "RES\t03,5", "LDA\t88 H",
                                 "STA\t0B", "SLP", "INC\t20", "JMP\t0016"});
    for (parts::Model model : {parts::Model::F84A, parts::Model::F628A, parts::Model::F877A}) {
        std::vector<Case> cases = {{"timer", timer, -1}, {"timer to a breakpoint", timer, 4},
                                   {"calls", calls, -1}, {"calls to a breakpoint", calls, 9},
                                   {"banks", banks, 13}, {"sleep", sleep, -1}};
        for (unsigned seed = 1; seed <= 3; ++seed) {
            std::mt19937 rng(seed);
            cases.push_back({"random", randomProgram(rng, 40, true), static_cast<int>(seed) * 7});
        }
        for (unsigned c = 0; c < cases.size(); ++c) {
            const Case& test = cases[c];
            SCOPED_TRACE(std::string(parts::modelName(model)) + " " + test.name + " " +
                         std::to_string(c));
            std::mt19937 rng(c);
            DebugMachine run({"NOP"}), stepped({"NOP"});
            for (DebugMachine* m : {&run, &stepped}) {
                m->form.chosenModel = model;
                Machine::load(m->form, {});
                Machine::loadLines(m->form, test.lines, 0);
                m->form.W.setText("5");
                m->form.InB[c % 8].setValue(1);
                if (test.breakLine >= 0)
                    m->debugger.breakpoints().set(test.breakLine, true);
            }
            // After a full-speed turn the highlight shows what the whole turn changed.
            auto compare = [&](const std::string& when, bool highlight = true) {
                ASSERT_EQ(partText(run), partText(stepped)) << when;
                if (!highlight)
                    return;
                ASSERT_EQ(run.debugger.changedRegisters(), stepped.debugger.changedRegisters())
                    << when;
                ASSERT_EQ(run.debugger.wChanged(), stepped.debugger.wChanged()) << when;
            };
            sim::RunMessages messages{run.form, run.messages};
            ReadingsClock clock(c % 3 == 2 ? 14 : 10);
            sim::RunControl control{run.form, run.simulator, messages, clock};
            auto fullSpeedTurn = [&] {
                // The entry line as no Step leaves it: the records must know
                // it is refilled once the turn selects a line anew.
                for (DebugMachine* m : {&run, &stepped})
                    m->form.Counter.setCaret(2);
                const long long before = run.debugger.journal().position();
                control.FullSpeed_Click();
                control.Timer1_Timer();
                control.StopKey_Click();
                stepped.step(static_cast<int>(run.debugger.journal().position() - before));
            };
            auto runBoth = [&](long long count) {
                const long long ran = run.simulator.run(count);
                stepped.step(static_cast<int>(ran));
                return ran;
            };
            for (int round = 0; round < 40; ++round) {
                const long long count = round == 20 ? 250'000
                                        : rng() % 4 ? 1 + rng() % 40
                                                    : 1 + rng() % 600;
                if (round == 39)
                    fullSpeedTurn();
                else
                    runBoth(count);
                compare("after run " + std::to_string(round), round != 39);
                if (HasFatalFailure())
                    return;
                if (rng() % 8 == 0) {
                    const auto pin = rng() % 8;
                    for (DebugMachine* m : {&run, &stepped})
                        m->form.InB[pin].setValue(1 - m->form.InB[pin].value());
                }
            }
            for (int back = 1; back <= 300; ++back) {
                ASSERT_EQ(run.debugger.stepBack(), stepped.debugger.stepBack());
                compare("after taking back " + std::to_string(back));
                if (HasFatalFailure())
                    return;
            }
            for (int round = 0; round < 5; ++round) {
                runBoth(1 + rng() % 50);
                compare("stepping on " + std::to_string(round));
                if (HasFatalFailure())
                    return;
            }
            // As far back as the journal reaches, to where its records begin.
            for (long long back = 1; stepped.debugger.stepBack(); ++back) {
                ASSERT_TRUE(run.debugger.stepBack()) << back;
                if (back % 997 == 0 || !stepped.debugger.canStepBack()) {
                    compare("after taking back " + std::to_string(back) + " more", false);
                    if (HasFatalFailure())
                        return;
                }
            }
            EXPECT_FALSE(run.debugger.stepBack());
        }
    }
}

} // namespace
} // namespace mirel::testing
