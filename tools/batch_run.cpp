#include "batch_run.h"

#include "batch_save.h"
#include "batch_trace.h"
#include "debug/debugger.h"
#include "debug/step_explanation.h"
#include "debug/trace_recorder.h"
#include "files/open_program.h"
#include "sim/simulator.h"

#include <optional>
#include <ostream>

namespace mirel::batch {

namespace {

// A message box without a screen: the text goes to standard error and the step goes on.
class StderrMessages final : public state::MessageBoxService {
public:
    explicit StderrMessages(std::ostream& err) : err_(err) {}
    void show(const std::string& text, const std::string&, state::MessageIcon) override {
        err_ << "message: " << text << '\n';
    }

private:
    std::ostream& err_;
};

void printState(const state::MainForm& form, std::ostream& out) {
    out << "W " << form.W.text() << '\n';
    out << "PC " << (form.Code.empty() ? -1 : form.Code.selectedIndex()) << '\n';
    out << "SP";
    for (int i = 1; i < form.SPReg.count(); ++i)
        out << ' ' << form.SPReg.line(i);
    out << '\n';
    out << "CODE " << form.Code.count() << '\n';
    out << "REG\n";
    for (const std::string& line : form.Reg.lines())
        out << line << '\n';
}

void tickInputs(state::MainForm& form, const PortInputs& inputs) {
    for (std::size_t i = 0; i < 8; ++i) {
        if ((inputs.a >> i) & 1)
            form.InA[i].setValue(1);
        if ((inputs.b >> i) & 1)
            form.InB[i].setValue(1);
    }
}

} // namespace

files::OpenResult openAsAsked(const BatchOptions& options, state::MainForm& form) {
    state::NoWindowPlacement placement;
    form.chosenModel = options.model;
    return files::openProgram(form, placement, options.kind, options.file);
}

std::string nextStepText(const state::MainForm& form, sim::Simulator& simulator) {
    return debug::explainStep(form, simulator).text;
}

int runBatch(const BatchOptions& options, std::ostream& out, std::ostream& err) {
    state::MainForm form;
    const auto opened = openAsAsked(options, form);
    if (!opened.opened) {
        err << "mirelsim-batch: " << opened.error << '\n';
        return 2;
    }
    if (options.inputs)
        tickInputs(form, *options.inputs);
    StderrMessages messages(err);
    sim::Simulator simulator(form, messages);
    // Breakpoints and Step Back only when asked for: the journal costs each
    // step more than the step itself.
    std::optional<debug::Debugger> debugger;
    if (!options.breaks.empty() || options.back > 0)
        debugger.emplace(form, simulator, nullptr);
    for (int line : options.breaks) {
        if (!form.Code.validIndex(line)) {
            err << "mirelsim-batch: --break " << line << " is not a line of the program, which has "
                << form.Code.count() << " lines\n";
            return 2;
        }
        debugger->breakpoints().set(line, true);
    }
    // A trace of every step, unless the debugger keeps the history: then
    // of the steps Step Back reaches once the steps and take-backs are done.
    debug::HistoryTrace trace;
    debug::CycleCount count;
    std::optional<debug::TraceRecorder> recorder;
    if (!options.trace.empty() && !debugger) {
        recorder.emplace(form, trace.trace, count, 0);
        recorder->rowNow();
        simulator.setStepListener(&*recorder);
    }
    for (long long done = 0; done < options.steps;) {
        done += simulator.run(std::min(options.steps - done, longestTrace));
        // As a run stops: the breakpoint's line is the next to execute.
        if (debugger && debugger->breakpoints().atSelection())
            break;
        if (trace.trace.size() > 2 * static_cast<std::size_t>(longestTrace))
            trace.trace.dropBefore(trace.trace.end() - longestTrace);
    }
    if (recorder)
        simulator.setStepListener(nullptr);
    for (long long i = 0; i < options.back && debugger->stepBack(); ++i) {
    }
    if (debugger && !options.trace.empty())
        debugger->followHistory(trace);
    if (!options.trace.empty() && !writeTrace(options.trace, trace.trace, form, err))
        return 2;
    if (!saveAsAsked(options, form, err))
        return 2;
    printState(form, out);
    if (options.explain)
        out << "NEXT " << nextStepText(form, simulator) << '\n';
    return 0;
}

} // namespace mirel::batch
