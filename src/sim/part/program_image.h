#pragma once

#include "state/text_list.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace mirel::sim::part {

// The erased program word: what unprogrammed memory executes (ADD FF H).
inline constexpr std::uint16_t erasedWord = 0x3FFF;

// Program memory as the part sees it: each line that carries an address puts
// its instruction word there; every other address holds the erased word.
// Gathered again after Code changes.
class ProgramImage final : public state::TextListObserver {
public:
    ProgramImage(state::TextList& code, int words);
    ~ProgramImage() override;
    ProgramImage(const ProgramImage&) = delete;
    ProgramImage& operator=(const ProgramImage&) = delete;

    int size() const { return words_; }
    // The address the fetch reads: program memory repeats above its size.
    int wrap(int pc) const { return pc & (words_ - 1); }
    std::uint16_t word(int pc) const {
        refresh();
        return image_[static_cast<std::size_t>(wrap(pc))];
    }
    // The first line carrying the address, -1 for none.
    int lineAt(int pc) const {
        refresh();
        return lineOf_[static_cast<std::size_t>(wrap(pc))];
    }
    // The address line `index` carries, -1 when it carries none.
    int addressOf(int index) const {
        refresh();
        return index >= 0 && index < static_cast<int>(addressOf_.size())
                   ? addressOf_[static_cast<std::size_t>(index)]
                   : -1;
    }

    // Every word, and the first line carrying each address (-1 for none), by
    // address: for a run that reads them while Code stands still.
    std::span<const std::uint16_t> words() const {
        refresh();
        return image_;
    }
    std::span<const int> lines() const {
        refresh();
        return lineOf_;
    }

    void lineInserted(int) override { stale_ = true; }
    void lineRemoved(int) override { stale_ = true; }
    void lineReplaced(int) override { stale_ = true; }
    void linesReset() override { stale_ = true; }

private:
    void refresh() const {
        if (stale_)
            rebuild();
    }
    void rebuild() const;

    state::TextList& code_;
    int words_;
    mutable std::vector<std::uint16_t> image_;
    mutable std::vector<int> lineOf_;
    mutable std::vector<int> addressOf_;
    mutable bool stale_ = true;
};

// The word a program line stands for, -1 when it is no instruction (an
// address alone, the end mark, a malformed line). OPTION and TRIS, which the
// line assembler never writes, are their words here.
int lineWord(std::string_view line);

// The address a line carries: its first four characters when all are hex digits; else -1.
int carriedAddress(std::string_view line);

// The line a part starts at after power-on: the first carrying address 0000;
// -1 when none does (the erased word runs there).
int powerOnLine(const state::TextList& code);

} // namespace mirel::sim::part
