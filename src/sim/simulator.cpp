#include "simulator.h"

#include "cycle.h"
#include "device/part_view_sync.h"
#include "state/program_counter.h"
#include "state/register_file.h"
#include "view_sync.h"

namespace mirel::sim {

namespace {

// Register 00 shows the indirect target for the length of one instruction.
void loadIndfMirror(state::MainForm& form, int target) {
    state::writeRegister(form, state::INDF, state::readRegister(form, target));
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

long long Simulator::run(long long count) {
    if (form_.model != mirel::device::Model::Teaching)
        return runPart(count);
    if (count > 1 && values_.load(form_)) {
        const long long done =
            listener_ ? listener_->runOnValues(values_, count) : values_.run(count, nullptr);
        if (done > 0) {
            if (listener_)
                listener_->viewsCatchingUp();
            bringViewsUpToDate(form_, values_, ports_);
            if (listener_)
                listener_->viewsCaughtUp();
            return done;
        }
    }
    Step_Click();
    return 1;
}

long long Simulator::runPart(long long count) {
    if (count > 1 && partValues_.load(form_, *partMachine())) {
        const long long done = listener_ ? listener_->runOnPartValues(partValues_, count)
                                         : partValues_.run(count, nullptr);
        if (done > 0) {
            if (listener_)
                listener_->viewsCatchingUp();
            device::bringViewsUpToDate(form_, partValues_, *partMachine(), ports_);
            if (listener_)
                listener_->viewsCaughtUp();
            return done;
        }
    }
    Step_Click();
    return 1;
}

// One cycle; its length in instruction cycles, 0 when nothing was executed.
int Simulator::runCycle() {
    if (form_.model != mirel::device::Model::Teaching) [[unlikely]]
        return partMachine()->step();
    const int target = state::indirectTarget(form_);
    loadIndfMirror(form_, target);

    const int current = state::currentIndex(form_);
    if (form_.Code.selectedIndex() >= 0)
        state::Code_Click(form_);
    const Instruction instruction = program_.at(current);
    // A mnemonic without a rule ends the cycle: no advance, no tail.
    if (!instruction.rule)
        return 0;

    Cycle cycle{form_, messages_, program_, instruction, current, target, false};
    const Next next = instruction.rule(cycle);
    if (next == Next::Advance)
        state::ReLoadCode(form_, cycle.current);

    ports_.refreshPorts();
    writeBackIndf(cycle);
    // A transfer, or a skip that moved past its next line, takes two cycles.
    return next == Next::TargetSelected || cycle.current != current ? 2 : 1;
}

} // namespace mirel::sim

namespace mirel::sim {

device::DeviceMachine* Simulator::partMachine() {
    if (!device_ || device_->model() != form_.model)
        device_ = std::make_unique<device::DeviceMachine>(form_, messages_, ports_, form_.model);
    return device_.get();
}

} // namespace mirel::sim
