#include "machine_fixture.h"
#include "sim/run_control.h"
#include "sim/run_messages.h"

#include <functional>
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

// A main form with a run control over a program of NOPs (or the given lines).
struct RunMachine {
    explicit RunMachine(std::vector<std::string> instructions = std::vector<std::string>(200,
                                                                                         "NOP\t"),
                        bool withProgram = true) {
        state::NoWindowPlacement placement;
        if (!withProgram) {
            state::Form_Load(form, placement);
            return;
        }
        state::NewProgram(form, placement);
        for (std::size_t i = 0; i < instructions.size(); ++i)
            instructions[i] = state::hex4(static_cast<long long>(i)) + "\t" + instructions[i];
        form.Code.assign(std::move(instructions));
        form.Code.select(0);
    }
    void newProgram() {
        state::NoWindowPlacement placement;
        state::NewProgram(form, placement);
    }
    // A tick at `ms` on the clock; the number of NOPs it executed.
    int tickAt(long long ms) {
        clock.now = ms;
        const int before = form.Code.selectedIndex();
        run.Timer1_Timer();
        return form.Code.selectedIndex() - before;
    }
    void fast(int times) {
        for (int i = 0; i < times; ++i)
            run.Fast_Click();
    }

    state::MainForm form;
    RecordingMessages boxes;
    sim::RunMessages messages{form, boxes};
    sim::Simulator simulator{form, messages};
    HandClock clock;
    sim::RunControl run{form, simulator, messages, clock};
};

// Each run button as one letter: E shown and enabled, d shown but disabled,
// h hidden and disabled, x hidden but enabled.
std::string buttons(const state::MainForm& f) {
    std::string out;
    for (const state::ControlModel* c :
         {&f.StartKey, &f.StopKey, &f.Fast, &f.Slow, &f.Step, &f.Mirel})
        out += c->visible() ? (c->enabled() ? 'E' : 'd') : (c->enabled() ? 'x' : 'h');
    return out;
}

// The three views and their headings, all shown and enabled ("shown"), all
// hidden and disabled ("hidden"), or a mixture.
std::string views(const state::MainForm& f) {
    const bool shown = f.CounterView.visible() && f.RegView.visible() && f.CodeView.visible() &&
                       f.CounterView.enabled() && f.RegView.enabled() && f.CodeView.enabled() &&
                       f.Label2.visible() && f.Label3.visible();
    const bool hidden = !f.CounterView.visible() && !f.RegView.visible() && !f.CodeView.visible() &&
                        !f.CounterView.enabled() && !f.RegView.enabled() && !f.CodeView.enabled() &&
                        !f.Label2.visible() && !f.Label3.visible();
    return shown ? "shown" : hidden ? "hidden" : "mixed";
}

TEST(RunControl, ButtonsTimerWAndViewsFollowTheRunStates) {
    using Act = std::function<void(RunMachine&)>;
    const Act start = [](RunMachine& r) { r.run.StartKey_Click(); };
    const Act stop = [](RunMachine& r) { r.run.StopKey_Click(); };
    const Act toTwenty = [](RunMachine& r) { r.fast(4); };
    const Act tick = [](RunMachine& r) { r.tickAt(r.clock.now + 20); };
    const Act slow = [](RunMachine& r) { r.run.Slow_Click(); };
    const Act renew = [](RunMachine& r) { r.newProgram(); };
    const struct {
        const char* state;
        bool withProgram;
        std::vector<Act> acts;
        const char* buttons; // StartKey StopKey Fast Slow Step Mirel
        bool timer;
        bool w;
        const char* views;
    } rows[] = {
        {"empty after start-up", false, {}, "dhhhdd", false, true, "shown"},
        {"ready after New", true, {}, "EhhhEE", false, true, "shown"},
        {"running", true, {start}, "hEEEhh", true, false, "shown"},
        {"stopped", true, {start, stop}, "EhhhEE", false, true, "shown"},
        {"fast: hidden only after the next tick",
         true,
         {start, toTwenty},
         "hEEEhh",
         true,
         false,
         "shown"},
        {"fast after a tick", true, {start, toTwenty, tick}, "hEEEhh", true, false, "hidden"},
        {"back to 50 after a tick",
         true,
         {start, toTwenty, tick, slow, tick},
         "hEEEhh",
         true,
         false,
         "shown"},
        {"stopped at 20", true, {start, toTwenty, tick, stop}, "EhhhEE", false, true, "shown"},
        {"New during a fast run leaves Step, Mirel, W and the views",
         true,
         {start, toTwenty, tick, renew},
         "Ehhhxx",
         false,
         false,
         "hidden"},
        {"a run after that and its stop show them again",
         true,
         {start, toTwenty, tick, renew, start, stop},
         "EhhhEE",
         false,
         true,
         "shown"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.state);
        RunMachine r({"NOP\t", "NOP\t"}, row.withProgram);
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
        const char* before;
        const char* fast;
        const char* slow;
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

// The first tick of the first run comes after 10 ms; each tick then sets the
// label's interval, and the next run starts with the interval the last set.
TEST(RunControl, EachTickTakesTheNextIntervalFromTheSpeedLabel) {
    RunMachine r;
    EXPECT_EQ(r.form.Timer1.interval(), 10);
    r.run.StartKey_Click();
    EXPECT_EQ(r.form.Timer1.interval(), 10) << "Start performs no step and keeps the interval";
    EXPECT_EQ(r.form.Code.selectedIndex(), 0);
    r.fast(2);
    EXPECT_EQ(r.form.Timer1.interval(), 10) << "a new speed waits for the next tick";
    EXPECT_EQ(r.tickAt(10), 1);
    EXPECT_EQ(r.form.Timer1.interval(), 100);
    r.run.StopKey_Click();
    r.run.StartKey_Click();
    EXPECT_EQ(r.form.Timer1.interval(), 100);
}

// A tick performs the steps the clock says are due at the label's speed:
// one at the slower speeds, up to 20 at 1 ms. The count starts again after a
// change of speed, and an overdue backlog is dropped rather than chased.
TEST(RunControl, TicksCatchUpWithTheClockUpToTwentySteps) {
    const struct {
        const char* speed;
        std::vector<std::pair<long long, int>> ticks; // (clock ms, NOPs executed)
    } rows[] = {
        {"500", {{10, 1}, {510, 1}, {1010, 1}, {1400, 1}}},
        {"20", {{10, 1}, {30, 1}, {70, 2}, {71, 1}}},
        {"1", {{10, 1}, {11, 1}, {15, 4}, {15, 1}, {200, 20}, {201, 1}, {203, 2}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.speed);
        RunMachine r;
        r.form.Label5.setText(row.speed);
        r.run.StartKey_Click();
        for (auto [at, steps] : row.ticks)
            EXPECT_EQ(r.tickAt(at), steps) << "tick at " << at << " ms";
    }

    RunMachine r;
    r.form.Label5.setText("20");
    r.run.StartKey_Click();
    r.tickAt(0);
    EXPECT_EQ(r.tickAt(40), 2);
    r.fast(1);
    EXPECT_EQ(r.tickAt(41), 1) << "a new speed restarts the count";
    EXPECT_EQ(r.tickAt(45), 4);
}

// A step's message during a run offers Stop: OK lets the run go on, Stop ends
// it as StopKey does. No step starts while the box is open, and nothing that
// fell due meanwhile is caught up.
TEST(RunControl, AMessageDuringARunOffersStopAndHoldsTheTicks) {
    RunMachine r({"RTS\t", "NOP\t", "NOP\t"});
    r.simulator.Step_Click();
    ASSERT_EQ(r.boxes.shown.size(), 1u);
    EXPECT_FALSE(r.boxes.shown[0].offeredStop) << "outside a run the box has only OK";

    r.boxes.shown.clear();
    r.form.Code.select(0);
    r.form.Label5.setText("1");
    r.run.StartKey_Click();
    int ticksWhileOpen = 0;
    r.boxes.whileOpen = [&r, &ticksWhileOpen] {
        r.clock.now += 500;
        r.run.Timer1_Timer();
        ++ticksWhileOpen;
    };
    r.tickAt(0);
    ASSERT_EQ(r.boxes.shown.size(), 1u) << "the tick inside the box started no step";
    EXPECT_EQ(ticksWhileOpen, 1);
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
