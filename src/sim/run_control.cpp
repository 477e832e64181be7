#include "run_control.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace mirel::sim {

namespace {

// Tick intervals in milliseconds, shortest first, as the speed label shows them.
constexpr std::array<std::string_view, 6> speeds = {"1", "20", "50", "100", "200", "500"};

// At this interval and below the big views are hidden, so drawing does not slow the run.
constexpr int viewThreshold = 20;

// Moves the speed label `by` steps along the speeds; no wrap, and a caption
// that is none of them stays.
void moveSpeed(state::TextModel& label, int by) {
    for (std::size_t i = 0; i < speeds.size(); ++i) {
        if (label.text() != speeds[i])
            continue;
        const auto next = static_cast<std::size_t>(
            std::clamp(static_cast<int>(i) + by, 0, static_cast<int>(speeds.size()) - 1));
        if (next != i)
            label.setText(std::string(speeds[next]));
        return;
    }
}

// The speed label as whole milliseconds; `fallback` when it holds no number.
int labelInterval(const state::TextModel& label, int fallback) {
    const std::string& text = label.text();
    double ms = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), ms);
    if (ec != std::errc() || ptr == text.data())
        return fallback;
    return std::max(1, static_cast<int>(std::lround(ms)));
}

void setControl(state::ControlModel& control, bool on) {
    control.setVisible(on);
    control.setEnabled(on);
}

} // namespace

RunControl::RunControl(state::MainForm& form, Simulator& simulator, RunMessages& messages,
                       ElapsedClock& clock)
    : form_(form), simulator_(simulator), messages_(messages), clock_(clock), stepClock_(clock) {
    form_.Timer1.addObserver(this);
}

RunControl::~RunControl() {
    form_.Timer1.removeObserver(this);
}

// A run ended, by Stop or by a command that stops the timer itself.
void RunControl::changed() {
    if (form_.Timer1.enabled())
        return;
    fullSpeed_ = false;
    // Step and Mirel come back into sight; whether they work is the program's say.
    form_.Step.setVisible(true);
    form_.Mirel.setVisible(true);
    showViews(true);
    form_.WBox.setEnabled(true);
}

void RunControl::StartKey_Click() {
    begin(false);
}

void RunControl::FullSpeed_Click() {
    begin(true);
}

void RunControl::begin(bool fullSpeed) {
    // A run already going hands over: whoever drives the timer hears anew.
    if (fullSpeed)
        form_.Timer1.setEnabled(false);
    fullSpeed_ = fullSpeed;
    runLength_ = shortestRun;
    // Full speed has no pace to change.
    setControl(form_.Fast, !fullSpeed);
    setControl(form_.Slow, !fullSpeed);
    setControl(form_.StopKey, true);
    setControl(form_.StartKey, false);
    setControl(form_.Mirel, false);
    setControl(form_.Step, false);
    form_.WBox.setEnabled(false);
    // The first step comes with the first tick, one interval from now.
    stepClock_.restart();
    if (fullSpeed)
        showViews(false);
    form_.Timer1.setEnabled(true);
}

void RunControl::StopKey_Click() {
    fullSpeed_ = false;
    setControl(form_.Fast, false);
    setControl(form_.Slow, false);
    setControl(form_.Mirel, true);
    setControl(form_.StopKey, false);
    form_.StartKey.setEnabled(true);
    form_.StartKey.setVisible(true);
    form_.Timer1.setEnabled(false);
    setControl(form_.Step, true);
    showViews(true);
    form_.WBox.setEnabled(true);
}

void RunControl::Fast_Click() {
    moveSpeed(form_.Label5, -1);
}

void RunControl::Slow_Click() {
    moveSpeed(form_.Label5, +1);
}

bool RunControl::runStep(bool& messageShown) {
    simulator_.Step_Click();
    return afterSteps(messageShown);
}

bool RunControl::afterSteps(bool& messageShown) {
    if (messages_.takeShown()) {
        messageShown = true;
        if (messages_.takeStop())
            return false;
    }
    return !(breakCheck_ && breakCheck_());
}

void RunControl::Timer1_Timer() {
    // A tick that falls while a step's message box is open starts nothing.
    if (ticking_ || !form_.Timer1.enabled())
        return;
    ticking_ = true;
    if (fullSpeed_) {
        runFullSpeedTurn();
        ticking_ = false;
        return;
    }
    bool stop = false;
    const int steps = stepClock_.stepsForTick(labelInterval(form_.Label5, form_.Timer1.interval()));
    for (int i = 0; i < steps; ++i) {
        bool messageShown = false;
        stop = !runStep(messageShown);
        if (messageShown)
            stepClock_.restart();
        if (stop || messageShown)
            break;
    }
    form_.Timer1.setInterval(labelInterval(form_.Label5, form_.Timer1.interval()));
    if (stop)
        StopKey_Click();
    else
        showViews(labelInterval(form_.Label5, viewThreshold + 1) > viewThreshold);
    ticking_ = false;
}

// Steps until the turn is used up, in runs on values between which the
// clock is read. A run grows while it takes under half a turn, so that a
// fast program runs as few and as long runs as the turn allows: in a run
// longer than the journal holds, the steps nobody can take back again go
// unrecorded.
void RunControl::runFullSpeedTurn() {
    constexpr long long longestRun = 1 << 22;
    clock_.restart();
    bool messageShown = false;
    while (!messageShown) {
        const auto before = clock_.elapsed();
        if (before >= fullSpeedTurn)
            return;
        long long calls = 0;
        for (long long left = runLength_; left > 0 && !messageShown;) {
            left -= simulator_.run(left);
            if (!afterSteps(messageShown)) {
                StopKey_Click();
                return;
            }
            // Steps the text rules take come one a call: the turn still ends in time.
            if (++calls % 64 == 0 && clock_.elapsed() >= fullSpeedTurn)
                break;
        }
        const auto took = clock_.elapsed() - before;
        if (took < fullSpeedTurn / 2 && runLength_ < longestRun)
            runLength_ *= 2;
        else if (took > fullSpeedTurn && runLength_ > shortestRun)
            runLength_ /= 2;
    }
}

void RunControl::showViews(bool on) {
    setControl(form_.CounterView, on);
    setControl(form_.RegView, on);
    setControl(form_.CodeView, on);
    form_.Label2.setVisible(on);
    form_.Label3.setVisible(on);
}

} // namespace mirel::sim
