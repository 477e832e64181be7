#pragma once

#include "address_index.h"
#include "instruction.h"
#include "state/text_list.h"
#include "value_line.h"

#include <optional>
#include <vector>

namespace mirel::sim {

// The lines of Code decoded for the cycle, each decoded when first executed
// and again only after that line changed. Jump targets are looked up once per
// state of the program.
class DecodedProgram final : public state::TextListObserver {
public:
    explicit DecodedProgram(state::TextList& code);
    ~DecodedProgram() override;
    DecodedProgram(const DecodedProgram&) = delete;
    DecodedProgram& operator=(const DecodedProgram&) = delete;

    const Instruction& at(int index) {
        Entry& entry = entries_[static_cast<std::size_t>(index)];
        if (!entry.decoded)
            decodeLine(index);
        return entry.instruction;
    }

    // The line a jump or call at `index` goes to: the first line carrying its
    // target address, else the address as a line index; none when neither is a line.
    std::optional<int> targetLine(int index);
    // What the line does, resolved for the teaching model's cycle.
    const ValueLine& line(int index) {
        Entry& entry = entries_[static_cast<std::size_t>(index)];
        if (entry.resolvedIn != version_) [[unlikely]]
            resolveLine(index);
        return entry.line;
    }
    // Changes whenever any line of Code does.
    unsigned version() const { return version_; }

    void lineInserted(int index) override;
    void lineRemoved(int index) override;
    void lineReplaced(int index) override;
    void linesReset() override;

private:
    struct Entry {
        Instruction instruction;
        bool decoded = false;
        unsigned targetFoundIn = 0; // the program's version when targetLine was found
        int targetLine = -1;        // -1: no line to go to
        unsigned resolvedIn = 0;    // the program's version when line was resolved
        ValueLine line;
    };
    void decodeLine(int index);
    void resolveLine(int index);
    void changed() { ++version_; }

    state::TextList& code_;
    AddressIndex addresses_;
    std::vector<Entry> entries_;
    unsigned version_ = 1; // counts the changes of Code; 0 stands for never
};

} // namespace mirel::sim
