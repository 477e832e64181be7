#include "exercise_run.h"
#include "grading.h"

#include "sim/part/program_image.h"
#include "sim/simulator.h"
#include "sim/teaching/decode.h"
#include "state/program_counter.h"
#include "state/program_text.h"

#include <algorithm>

namespace mirel::exercise {

namespace {

// Counts the message boxes a run would show and keeps the first.
class CountedMessages final : public state::MessageBoxService {
public:
    void show(const std::string& text, const std::string&, state::MessageIcon) override {
        if (count++ == 0)
            first = text;
    }
    long long count = 0;
    std::string first;
};

// Counts instructions and cycles, and stops runs on values where the program
// waits, when the exercise runs until then.
class Counter final : public sim::StepListener {
public:
    explicit Counter(const std::vector<char>* stops) : stops_(stops) {}
    void stepStarting() override {}
    void stepFinished(int cycles) override {
        if (cycles > 0)
            ++instructions;
        this->cycles += cycles;
    }
    long long runOnValues(sim::ValueCore& core, long long count) override {
        const long long ran = core.run(count, stops_);
        instructions += ran;
        cycles += core.cycles();
        return ran;
    }
    long long runOnPartValues(sim::part::PartValueCore& core, long long count) override {
        const long long ran = core.run(count, stops_);
        instructions += core.executed();
        cycles += core.cycles();
        return ran;
    }
    long long instructions = 0;
    long long cycles = 0;

private:
    const std::vector<char>* stops_;
};

void tick(std::array<state::CheckBoxModel, 8>& boxes, int byte) {
    if (byte < 0)
        return;
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i].setValue((byte >> i) & 1);
}

// The lines that jump to themselves: where a finished program waits.
std::vector<char> selfJumps(const state::MainForm& form, sim::Simulator& simulator) {
    std::vector<char> marks(static_cast<std::size_t>(form.Code.count()), 0);
    for (int i = 0; i < form.Code.count(); ++i) {
        if (simulator.instructionAt(i).operation != assembler::Operation::Jmp)
            continue;
        const sim::ValueLine line = simulator.resolvedLine(i);
        marks[static_cast<std::size_t>(i)] =
            line.op == sim::ValueLine::Operation::Jmp && line.target == i ? 1 : 0;
    }
    return marks;
}

} // namespace

bool isInstructionLine(const state::MainForm& form, int index) {
    const std::string& line = form.Code.line(index);
    if (form.model != parts::Model::Teaching)
        return sim::part::lineWord(line) >= 0;
    return sim::decode(state::compactText(line)).operation.has_value();
}

RunOutcome runExercise(const Exercise& exercise, state::MainForm& form) {
    RunOutcome outcome;
    CountedMessages messages;
    sim::Simulator simulator(form, messages);
    const std::vector<char> waits = selfJumps(form, simulator);
    Counter counter(exercise.untilHalted ? &waits : nullptr);
    simulator.setStepListener(&counter);
    const auto current = [&] {
        const int index = form.Code.empty() ? -1 : form.Code.selectedIndex();
        return index >= 0 && index < form.Code.count() ? index : -1;
    };
    const auto waiting = [&] {
        const int index = current();
        return index >= 0 && waits[static_cast<std::size_t>(index)] != 0;
    };
    auto change = exercise.inputs.begin();
    long long done = 0;
    while (!form.Code.empty()) {
        for (; change != exercise.inputs.end() && change->step <= done; ++change) {
            tick(form.InA, change->a);
            tick(form.InB, change->b);
        }
        if (done >= exercise.steps || (exercise.untilHalted && waiting()) ||
            messages.count >= messageLimit)
            break;
        const long long until = change == exercise.inputs.end()
                                    ? exercise.steps
                                    : std::min(change->step, exercise.steps);
        const int before = current();
        done += simulator.run(until - done);
        // A line without an instruction holds the teaching model for good:
        // each further step there is the one just taken, so they are counted, not run.
        if (form.model == parts::Model::Teaching && before >= 0 && current() == before &&
            !isInstructionLine(form, before))
            done = until;
    }
    simulator.setStepListener(nullptr);
    outcome.steps = done;
    outcome.instructions = counter.instructions;
    outcome.cycles = counter.cycles;
    outcome.messages = messages.count;
    outcome.firstMessage = messages.first;
    outcome.stoppedByMessages = messages.count >= messageLimit;
    outcome.haltedLine = waiting() ? current() : -1;
    return outcome;
}

} // namespace mirel::exercise
