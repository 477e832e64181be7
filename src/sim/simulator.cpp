#include "simulator.h"

#include "cycle.h"
#include "dispatch.h"
#include "ports.h"
#include "state/program_counter.h"
#include "state/program_text.h"
#include "state/register_file.h"

namespace mirel::sim {

namespace {

// Register 00 shows the indirect target for the length of one instruction.
void loadIndfMirror(state::MainForm& form, int target) {
    state::replaceRegisterLine(form, state::INDF,
                               state::registerLine(0, state::readRegister(form, target)));
}

// Only a write to register 00 goes back, and to the target the mirror came
// from: a direct write to the target, a new FSR or bank, and the port inputs
// are never overwritten by a stale mirror.
void writeBackIndf(Cycle& cycle) {
    if (!cycle.indfWritten)
        return;
    state::writeRegister(cycle.form, cycle.indirectTarget,
                         state::readRegister(cycle.form, state::INDF));
}

} // namespace

void Simulator::Step_Click() {
    if (form_.Code.empty())
        return;
    if (!listener_) {
        runCycle();
        return;
    }
    listener_->stepStarting();
    listener_->stepFinished(runCycle());
}

// One cycle; its length in instruction cycles, 0 when nothing was executed.
int Simulator::runCycle() {
    Cycle cycle{form_, messages_, {}, 0, state::indirectTarget(form_), false, &addresses_};
    loadIndfMirror(form_, cycle.indirectTarget);

    cycle.current = state::currentIndex(form_);
    if (form_.Code.selectedIndex() >= 0)
        state::Code_Click(form_);
    cycle.text = state::compactText(form_.Code.line(cycle.current));

    const int at = cycle.current;
    const auto next = execute(cycle);
    if (!next)
        return 0;
    if (*next == Next::Advance)
        state::ReLoadCode(form_, cycle.current);

    refreshPorts(form_);
    writeBackIndf(cycle);
    // A transfer, or a skip that moved past its next line, takes two cycles.
    return *next == Next::TargetSelected || cycle.current != at ? 2 : 1;
}

} // namespace mirel::sim
