// The warning marks of program lines: what is no instruction, what does not
// do what it looks like, what nothing can reach.
#include "debugger.h"
#include "line_notices.h"
#include "operand_notices.h"
#include "state/program_text.h"

#include <algorithm>

namespace mirel::debug {

namespace {

// An address alone, or nothing: a line where a program would stop.
bool holdsNothing(const std::string& line) {
    const std::string compact = state::compactText(line);
    return compact.size() <= 4 && std::all_of(compact.begin(), compact.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
           });
}

} // namespace

std::optional<std::string> Debugger::lineNotice(int index) {
    const std::string& line = form_.Code.line(index);
    if (auto notice = notAnInstructionNotice(line, index))
        return notice;
    return operandNotice(line, index, form_.model);
}

bool Debugger::jumpsBeyondProgram(int index) {
    const sim::Instruction& instruction = simulator_.instructionAt(index);
    return sim::jumpsByAddress(instruction) &&
           simulator_.resolvedLine(index).form == sim::ValueLine::Form::NoTarget;
}

void Debugger::checkLine(int index, bool tell) {
    const auto notice = lineNotice(index);
    notInstructions_.set(index, notice.has_value() || jumpsBeyondProgram(index));
    if (notice && tell && tell_)
        tell_(*notice);
}

void Debugger::checkProgram() {
    bool instructionAfter = false;
    for (int i = form_.Code.count() - 1; i >= 0; --i) {
        const std::string& line = form_.Code.line(i);
        if (holdsNothing(line)) {
            notInstructions_.set(i, instructionAfter);
            continue;
        }
        const sim::Instruction& instruction = simulator_.instructionAt(i);
        if (!instruction.operation)
            continue;
        instructionAfter = true;
        if (sim::jumpsByAddress(instruction))
            notInstructions_.set(i, lineNotice(i).has_value() || jumpsBeyondProgram(i));
    }
}

} // namespace mirel::debug
