#include "simulator.h"

#include "part/part_view_sync.h"
#include "state/program_counter.h"
#include "teaching/execute.h"
#include "teaching/on_form.h"
#include "teaching/view_sync.h"

namespace mirel::sim {

void Simulator::Step_Click() {
    if (listener_) {
        listener_->takeStep(*this);
        return;
    }
    if (!form_.Code.empty())
        runCycle();
}

void StepListener::takeStep(Simulator& simulator) {
    if (!simulator.hasProgram())
        return;
    stepStarting();
    stepFinished(cycle(simulator));
}

long long Simulator::run(long long count) {
    if (form_.model != mirel::parts::Model::Teaching)
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
            part::bringViewsUpToDate(form_, partValues_, *partMachine(), ports_);
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
    if (form_.model != mirel::parts::Model::Teaching) [[unlikely]]
        return partMachine()->step();
    const int current = state::currentIndex(form_);
    teaching::OnForm machine(form_, messages_, ports_);
    const ValueLine line = program_.line(current);
    return teaching::execute(machine, current, line);
}

} // namespace mirel::sim

namespace mirel::sim {

part::PartMachine* Simulator::partMachine() {
    if (!device_ || device_->model() != form_.model)
        device_ = std::make_unique<part::PartMachine>(form_, messages_, ports_, form_.model);
    return device_.get();
}

} // namespace mirel::sim
