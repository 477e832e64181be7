#include "machine_fixture.h"
#include "sim/run_control.h"
#include "sim/run_messages.h"

#include <functional>
#include <initializer_list>
#include <string>

namespace mirel::testing {
namespace {

// A clock the test moves by hand: `now` is absolute, elapsed counts from the last restart.
class HandClock final : public sim::ElapsedClock {
public:
    void restart() override { origin_ = now; }
    std::chrono::nanoseconds elapsed() const override {
        return std::chrono::milliseconds(now - origin_);
    }
    long long now = 0;

private:
    long long origin_ = 0;
};

// A main form with a run control, after New with the given program (200
// NOPs unless told), or as start-up leaves it when the program is empty.
struct RunMachine {
    explicit RunMachine(std::vector<std::string> program = std::vector<std::string>(200, "NOP")) {
        state::NoWindowPlacement placement;
        state::Form_Load(form, placement);
        if (!program.empty())
            Machine::load(form, program);
    }
    // A tick at `ms` on the clock; the number of NOPs it executed.
    int tickAt(long long ms) {
        clock.now = ms;
        const int before = form.Code.selectedIndex();
        run.Timer1_Timer();
        return form.Code.selectedIndex() - before;
    }

    state::MainForm form;
    RecordingMessages boxes;
    sim::RunMessages messages{form, boxes};
    sim::Simulator simulator{form, messages};
    HandClock clock;
    sim::RunControl run{form, simulator, messages, clock};
};

// One letter per control: E shown and enabled, d shown but disabled,
// h hidden and disabled, x hidden but enabled.
std::string flags(std::initializer_list<const state::ControlModel*> controls) {
    std::string out;
    for (const state::ControlModel* c : controls)
        out += c->visible() ? (c->enabled() ? 'E' : 'd') : (c->enabled() ? 'x' : 'h');
    return out;
}
std::string buttons(const state::MainForm& f) {
    return flags({&f.StartKey, &f.StopKey, &f.Fast, &f.Slow, &f.Step, &f.Mirel});
}
std::string views(const state::MainForm& f) {
    return flags({&f.CounterView, &f.RegView, &f.CodeView, &f.Label2, &f.Label3});
}

TEST(RunControl, ButtonsTimerWAndViewsFollowTheRunStates) {
    using Act = std::function<void(RunMachine&)>;
    const Act start = [](RunMachine& r) { r.run.StartKey_Click(); };
    const Act stop = [](RunMachine& r) { r.run.StopKey_Click(); };
    const Act toTwenty = [](RunMachine& r) {
        for (int i = 0; i < 4; ++i)
            r.run.Fast_Click();
    };
    const Act tick = [](RunMachine& r) { r.tickAt(r.clock.now + 20); };
    const Act slow = [](RunMachine& r) { r.run.Slow_Click(); };
    const Act full = [](RunMachine& r) { r.run.FullSpeed_Click(); };
    const Act renew = [](RunMachine& r) {
        state::NoWindowPlacement placement;
        state::NewProgram(r.form, placement);
    };
    const char* shown = "EEEEE";
    const char* hidden = "hhhxx"; // the headings have no enabled state of their own
    const struct {
        const char* state;
        std::vector<std::string> program;
        std::vector<Act> acts;
        const char* buttons; // StartKey StopKey Fast Slow Step Mirel
        bool timer;
        bool w;
        const char* views; // Counter Reg Code Label2 Label3
    } rows[] = {
        {"empty after start-up", {}, {}, "dhhhdd", false, true, shown},
        {"ready after New", {"NOP"}, {}, "EhhhEE", false, true, shown},
        {"running", {"NOP"}, {start}, "hEEEhh", true, false, shown},
        {"stopped", {"NOP"}, {start, stop}, "EhhhEE", false, true, shown},
        {"at full speed, with no pace to change", {"NOP"}, {full}, "hEhhhh", true, false, hidden},
        {"a timed run gone to full speed", {"NOP"}, {start, full}, "hEhhhh", true, false, hidden},
        {"stopped from full speed", {"NOP"}, {full, stop}, "EhhhEE", false, true, shown},
        {"at 20 before a tick", {"NOP"}, {start, toTwenty}, "hEEEhh", true, false, shown},
        {"at 20 after a tick", {"NOP"}, {start, toTwenty, tick}, "hEEEhh", true, false, hidden},
        {"back at 50 after a tick",
         {"NOP"},
         {start, toTwenty, tick, slow, tick},
         "hEEEhh",
         true,
         false,
         shown},
        {"stopped at 20", {"NOP"}, {start, toTwenty, tick, stop}, "EhhhEE", false, true, shown},
        {"New during a fast run shows Step, Mirel, W and the views again",
         {"NOP"},
         {start, toTwenty, tick, renew},
         "EhhhEE",
         false,
         true,
         shown},
        {"the next run's stop shows them again",
         {"NOP"},
         {start, toTwenty, tick, renew, start, stop},
         "EhhhEE",
         false,
         true,
         shown},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.state);
        RunMachine r(row.program);
        for (const Act& act : row.acts)
            act(r);
        EXPECT_EQ(buttons(r.form), row.buttons);
        EXPECT_EQ(r.form.Timer1.enabled(), row.timer);
        EXPECT_EQ(r.form.WBox.enabled(), row.w);
        EXPECT_EQ(views(r.form), row.views);
    }
}

TEST(RunControl, FastAndSlowStepThroughTheSixSpeedsWithoutWrapping) {
    const struct {
        const char *before, *fast, *slow;
    } rows[] = {
        {"500", "200", "500"}, {"200", "100", "500"}, {"100", "50", "200"}, {"50", "20", "100"},
        {"20", "1", "50"},     {"1", "1", "20"},      {"7", "7", "7"},
    };
    for (const auto& row : rows) {
        RunMachine r;
        r.form.Label5.setText(row.before);
        r.run.Fast_Click();
        EXPECT_EQ(r.form.Label5.text(), row.fast) << row.before;
        r.form.Label5.setText(row.before);
        r.run.Slow_Click();
        EXPECT_EQ(r.form.Label5.text(), row.slow) << row.before;
    }
}

// The first tick of the first run comes after 10 ms. A tick performs the
// steps the clock says are due at the label's speed: one at the slower
// speeds, up to 20 at 1 ms; an overdue backlog is dropped, not chased. Then
// it sets the label's interval, which the next run starts with. A new speed
// takes effect at the next tick and restarts the count.
TEST(RunControl, TicksPerformTheStepsDueByTheClock) {
    struct Tick {
        long long at;   // clock ms
        int fasterFrom; // Fast clicks just before it
        int steps;      // NOPs it executes
    };
    const struct {
        const char* speed;
        std::vector<Tick> ticks;
        int interval;
    } rows[] = {
        {"500", {{10, 0, 1}, {510, 0, 1}, {1010, 0, 1}, {1400, 0, 1}}, 500},
        {"20", {{10, 0, 1}, {30, 0, 1}, {70, 0, 2}, {71, 0, 1}}, 20},
        {"1", {{10, 0, 1}, {11, 0, 1}, {15, 0, 4}, {15, 0, 1}, {200, 0, 20}, {203, 0, 3}}, 1},
        {"20", {{0, 0, 1}, {40, 0, 2}, {41, 1, 1}, {45, 0, 4}}, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.speed);
        RunMachine r;
        r.form.Label5.setText(row.speed);
        r.run.StartKey_Click();
        EXPECT_EQ(r.form.Timer1.interval(), 10);
        for (const Tick& t : row.ticks) {
            for (int i = 0; i < t.fasterFrom; ++i)
                r.run.Fast_Click();
            EXPECT_EQ(r.tickAt(t.at), t.steps) << "tick at " << t.at << " ms";
        }
        r.run.StopKey_Click();
        r.run.StartKey_Click();
        EXPECT_EQ(r.form.Timer1.interval(), row.interval);
    }
}

// A step's message during a run offers Stop: OK lets the run go on, Stop ends
// it as StopKey does. No step starts while the box is open, and nothing that
// fell due meanwhile is caught up.
TEST(RunControl, AMessageDuringARunOffersStopAndHoldsTheTicks) {
    RunMachine r({"RTS", "NOP", "NOP"});
    r.simulator.Step_Click();
    ASSERT_EQ(r.boxes.shown.size(), 1u);
    EXPECT_FALSE(r.boxes.shown[0].offeredStop) << "outside a run the box has only OK";

    r.boxes.shown.clear();
    r.form.Code.select(0);
    r.form.Label5.setText("1");
    r.run.StartKey_Click();
    r.boxes.whileOpen = [&r] {
        r.clock.now += 500;
        r.run.Timer1_Timer();
    };
    r.tickAt(0);
    ASSERT_EQ(r.boxes.shown.size(), 1u) << "the tick inside the box started no step";
    EXPECT_TRUE(r.boxes.shown[0].offeredStop);
    EXPECT_TRUE(r.form.Timer1.enabled()) << "OK lets the run go on";

    r.boxes.whileOpen = [] {};
    r.form.Code.select(1);
    EXPECT_EQ(r.tickAt(r.clock.now + 1), 1) << "the time the box was open is not caught up";

    r.form.Code.select(0);
    r.boxes.answer = state::MessageAnswer::Stop;
    r.tickAt(r.clock.now + 1);
    EXPECT_EQ(buttons(r.form), "EhhhEE");
    EXPECT_FALSE(r.form.Timer1.enabled());
}

} // namespace
} // namespace mirel::testing
