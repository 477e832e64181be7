// The next step worked out on a copy of what it touches: the registers it
// writes are kept aside, so the machine itself never changes. It follows the
// simulator's own order (mirror INDF, rule, advance, port inputs, INDF
// write-back), so the answer is what the Step will do.
#include "step_explanation.h"

#include "foreseen_step.h"
#include "line_notices.h"
#include "part_explanation.h"
#include "sim/decode.h"
#include "sim/simulator.h"
#include "state/program_text.h"

namespace mirel::debug {

namespace {

using assembler::Operation;
using foresee::Work;

// The tail's port inputs: a pin whose direction bit is 1 takes its box's
// level; an output pin keeps its value unless its box is still ticked.
void mergeInputs(Work& work, int port, int tris, const std::array<state::CheckBoxModel, 8>& boxes) {
    int orBits = 0;
    int andMask = 0;
    for (int i = 0; i < 8; ++i) {
        const int ticked = boxes[static_cast<std::size_t>(i)].value() != 0 ? 1 : 0;
        const bool shown = ((tris >> i) & 1) != 0;
        orBits |= ticked << i;
        andMask |= (shown ? ticked : 1) << i;
    }
    work.regs.write(port, (work.regs.read(port) | orBits) & andMask);
}

} // namespace

StepExplanation explainStep(const state::MainForm& form, sim::Simulator& simulator) {
    StepExplanation out;
    StepPrediction& p = out.prediction;
    p.selected = form.Code.selectedIndex();
    if (form.Code.empty())
        return out;

    if (const auto* part = simulator.deviceMachine())
        return explainPartStep(form, *part);

    Work work(form, simulator);
    const std::string& line = form.Code.line(work.current);
    const std::string compact = state::compactText(line);
    work.regs.write(state::INDF, work.regs.read(work.indirectTarget));

    work.instruction = sim::decode(compact);
    const auto operation = assembler::operationOf(state::mid(compact, 5, 3));
    const std::string statement = statementText(compact);
    if (!work.instruction.rule || !operation) {
        p.registers = work.regs.changes();
        // OPTION and TRIS are instructions of the device that this machine never runs.
        const bool word = statement.starts_with("OPTION") || statement.starts_with("TRIS");
        out.text = word ? statement + ": not executed, a Step stays on this line"
                        : nothingExecutedNotice(line, work.current);
        return out;
    }

    const int start = work.current;
    std::string words = runRule(work, *operation);
    if (!work.transfer) {
        const int last = form.Code.count() - 1;
        work.selected = work.current < last ? work.current + 1 : last;
        const auto name = [&form](int line) { return lineName(form.Code.line(line), line); };
        // A skip near the end of the program stops at its last line.
        if (work.current != start)
            words += work.selected == start + 2
                         ? ", skips " + name(start + 1)
                         : ", skips past the end: next is " + name(work.selected);
        else if (operation == Operation::Jbr || operation == Operation::Jbs ||
                 operation == Operation::Dez || operation == Operation::Inz)
            words += ", no skip";
        if (work.current == start && work.selected == start)
            words += ", stays on the last line";
    }

    // The tail reads both directions before it merges either port.
    const int trisA = work.regs.read(state::TRISA);
    const int trisB = work.regs.read(state::TRISB);
    mergeInputs(work, state::PORTA, trisA, form.InA);
    mergeInputs(work, state::PORTB, trisB, form.InB);
    if (work.indfWritten)
        work.regs.write(work.indirectTarget, work.regs.read(state::INDF));

    p.executes = true;
    p.registers = work.regs.changes();
    p.w = work.w;
    // The flags as STATUS holds them at the end: a result stored into
    // STATUS itself overrides what the instruction set.
    const int status = work.regs.read(state::STATUS);
    if (work.zero)
        p.zero = (status & state::zMask) != 0;
    if (work.carry)
        p.carry = (status & state::cMask) != 0;
    p.selected = work.selected;
    p.stack = work.stack;
    p.messages = work.messages;
    p.cycles = work.transfer || work.current != start ? 2 : 1;
    out.text = statement + ": " + words;
    return out;
}

} // namespace mirel::debug
