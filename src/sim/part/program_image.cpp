#include "program_image.h"

#include "asm/line_assembler.h"
#include "state/hex_text.h"
#include "state/program_text.h"

#include <cctype>

namespace mirel::sim::part {

int carriedAddress(std::string_view line) {
    if (line.size() < 4)
        return -1;
    for (std::size_t i = 0; i < 4; ++i)
        if (std::isxdigit(static_cast<unsigned char>(line[i])) == 0)
            return -1;
    return state::readHex(line.substr(0, 4));
}

int lineWord(std::string_view line) {
    const std::string compact = state::compactText(line);
    if (compact.size() < 7)
        return -1;
    const std::string_view statement = std::string_view(compact).substr(4);
    if (statement == "OPTION")
        return 0x0062;
    if (statement.size() == 5 && statement.starts_with("TRIS") && statement[4] >= '5' &&
        statement[4] <= '7')
        return 0x0060 + (statement[4] - '0');
    const std::string word = assembler::AsmCodeRun(statement);
    return assembler::isWordText(word) ? state::readHex(word) : -1;
}

int powerOnLine(const state::TextList& code) {
    for (int i = 0; i < code.count(); ++i)
        if (carriedAddress(code.line(i)) == 0)
            return i;
    return -1;
}

ProgramImage::ProgramImage(state::TextList& code, int words) : code_(code), words_(words) {
    code_.addObserver(this);
}

ProgramImage::~ProgramImage() {
    code_.removeObserver(this);
}

void ProgramImage::rebuild() const {
    image_.assign(static_cast<std::size_t>(words_), erasedWord);
    lineOf_.assign(static_cast<std::size_t>(words_), -1);
    addressOf_.assign(static_cast<std::size_t>(code_.count()), -1);
    for (int i = 0; i < code_.count(); ++i) {
        const std::string& line = code_.line(i);
        const int address = carriedAddress(line);
        if (address < 0 || address >= words_)
            continue;
        addressOf_[static_cast<std::size_t>(i)] = address;
        const auto at = static_cast<std::size_t>(address);
        if (lineOf_[at] >= 0)
            continue; // the first line carrying an address is the one that counts
        lineOf_[at] = i;
        if (const int word = lineWord(line); word >= 0)
            image_[at] = static_cast<std::uint16_t>(word);
    }
    stale_ = false;
}

} // namespace mirel::sim::part
