// The next step worked out by the cycle a Step runs, on an overlay of what it
// touches: the machine itself never changes, and the answer is what the
// Step will do.
#include "step_explanation.h"

#include "line_notices.h"
#include "part_explanation.h"
#include "sim/simulator.h"
#include "state/program_counter.h"
#include "state/program_text.h"
#include "teaching_overlay.h"

namespace mirel::debug {

namespace {

using Op = sim::ValueLine::Operation;

bool transfers(const sim::ValueLine& line) {
    const Op op = line.op;
    return line.form == sim::ValueLine::Form::NoTarget || op == Op::Jmp || op == Op::Jsr ||
           op == Op::Ret || op == Op::Rts;
}

bool mayskip(const sim::Instruction& instruction) {
    using assembler::Operation;
    const auto operation = instruction.operation;
    return operation == Operation::Jbr || operation == Operation::Jbs ||
           operation == Operation::Dez || operation == Operation::Inz;
}

bool setsZero(Op op) {
    switch (op) {
    case Op::Sub:
    case Op::Add:
    case Op::Ora:
    case Op::And:
    case Op::Xor:
    case Op::Lda:
    case Op::Dec:
    case Op::Inc:
    case Op::Dez:
    case Op::Inz:
        return true;
    default:
        return false;
    }
}

bool setsCarry(Op op) {
    return op == Op::Sub || op == Op::Add || op == Op::Rra || op == Op::Rla;
}

// Where the advance went, when the line said nothing of it: a skip, or the
// last line running again.
std::string advanceWords(const state::MainForm& form, const sim::Instruction& instruction,
                         int start, int selected, bool skipped) {
    const auto name = [&form](int line) { return lineName(form.Code.line(line), line); };
    std::string words;
    if (skipped)
        words = selected == start + 2 ? ", skips " + name(start + 1)
                                      : ", skips past the end: next is " + name(selected);
    else if (mayskip(instruction))
        words = ", no skip";
    if (!skipped && selected == start)
        words += ", stays on the last line";
    return words;
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

    const int start = state::currentIndex(form);
    const std::string& line = form.Code.line(start);
    const std::string compact = state::compactText(line);
    const sim::Instruction& instruction = simulator.instructionAt(start);
    const sim::ValueLine resolved = simulator.resolvedLine(start);
    TeachingOverlay overlay(form, instruction, resolved);
    p.cycles = sim::teaching::execute(overlay, start, resolved);
    p.registers = overlay.registerChanges();
    const std::string statement = statementText(compact);
    if (p.cycles == 0) {
        // OPTION and TRIS are instructions of the device that this machine never runs.
        const bool word = statement.starts_with("OPTION") || statement.starts_with("TRIS");
        out.text = word ? statement + ": not executed, a Step stays on this line"
                        : nothingExecutedNotice(line, start);
        return out;
    }

    std::string words = overlay.words();
    if (!transfers(resolved))
        words += advanceWords(form, instruction, start, overlay.selected(), overlay.skipped());
    p.executes = true;
    p.w = overlay.wText();
    // The flags as STATUS holds them at the end: a result stored into
    // STATUS itself overrides what the instruction set.
    const int status = overlay.read(state::STATUS);
    if (setsZero(resolved.op))
        p.zero = (status & state::zMask) != 0;
    if (setsCarry(resolved.op))
        p.carry = (status & state::cMask) != 0;
    p.selected = overlay.selected();
    p.stack = overlay.stack();
    p.messages = overlay.messages();
    out.text = statement + ": " + words;
    return out;
}

} // namespace mirel::debug
