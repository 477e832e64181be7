#include "decoded_program.h"

#include "decode.h"
#include "state/program_text.h"

namespace mirel::sim {

DecodedProgram::DecodedProgram(state::TextList& code) : code_(code), addresses_(code) {
    code_.addObserver(this);
    linesReset();
}

DecodedProgram::~DecodedProgram() {
    code_.removeObserver(this);
}

void DecodedProgram::decodeLine(int index) {
    Entry& entry = entries_[static_cast<std::size_t>(index)];
    entry.instruction = decode(state::compactText(code_.line(index)));
    entry.decoded = true;
}

void DecodedProgram::resolveLine(int index) {
    const Instruction& instruction = at(index);
    Entry& entry = entries_[static_cast<std::size_t>(index)];
    entry.line = sim::resolveLine(instruction, jumpsByAddress(instruction) ? targetLine(index)
                                                                           : std::optional<int>{});
    entry.resolvedIn = version_;
}

std::optional<int> DecodedProgram::targetLine(int index) {
    Entry& entry = entries_[static_cast<std::size_t>(index)];
    if (entry.targetFoundIn != version_) {
        const int address = at(index).target;
        const auto carried = addresses_.firstLineWith(address);
        entry.targetLine = carried ? *carried : code_.validIndex(address) ? address : -1;
        entry.targetFoundIn = version_;
    }
    if (entry.targetLine < 0)
        return std::nullopt;
    return entry.targetLine;
}

void DecodedProgram::lineInserted(int index) {
    entries_.insert(entries_.begin() + index, Entry{});
    changed();
}

void DecodedProgram::lineRemoved(int index) {
    entries_.erase(entries_.begin() + index);
    changed();
}

void DecodedProgram::lineReplaced(int index) {
    entries_[static_cast<std::size_t>(index)] = Entry{};
    changed();
}

void DecodedProgram::linesReset() {
    entries_.assign(static_cast<std::size_t>(code_.count()), Entry{});
    changed();
}

} // namespace mirel::sim
