#include "hex_program_reader.h"

#include "asm/disassembler.h"
#include "asm/line_assembler.h"
#include "file_bytes.h"
#include "state/hex_text.h"
#include "state/program_text.h"

#include <string_view>

namespace mirel::files {

namespace {

// Byte address to word address: halved, a half rounding to the even neighbour.
int wordAddress(int byteAddress) {
    int word = byteAddress / 2;
    if (byteAddress % 2 != 0 && word % 2 != 0)
        ++word;
    return word;
}

// Record types that move the load address of the records after them.
constexpr int extendedSegmentAddress = 2;
constexpr int extendedLinearAddress = 4;

// The family keeps configuration, ID and data memory from word 2000 on: a
// file carries them for the programmer, but they are no program lines.
constexpr long long firstNonProgramWord = 0x2000;

// Where the records of a file are loaded: the base that address records set.
struct LoadBase {
    long long byteOffset = 0;
};

void decodeRecord(std::string_view record, LoadBase& base, std::vector<std::string>& program,
                  std::vector<int>* words) {
    using state::mid;
    const int count = state::readHex(mid(record, 2, 2)) & 0xFF;
    const int loadAddress = state::readHex(mid(record, 4, 4)) & 0xFFFF;
    if (mid(record, 9, 1) == "1") {
        program.emplace_back(endLine);
        if (words)
            words->push_back(-1);
    }
    const int type = state::readHex(mid(record, 8, 2)) & 0xFF;
    if (type == extendedSegmentAddress || type == extendedLinearAddress) {
        const long long upper = state::readHex(mid(record, 10, 4)) & 0xFFFF;
        base.byteOffset = type == extendedLinearAddress ? upper << 16 : upper << 4;
        return;
    }
    // Only data records hold words.
    if (type != 0)
        return;
    long long address = wordAddress(loadAddress) + base.byteOffset / 2;
    // Two bytes per word, low byte first: characters j, j+1 are the low byte.
    for (std::size_t j = 10; j <= static_cast<std::size_t>(2 * count + 6); j += 4, ++address) {
        if (address >= firstNonProgramWord)
            continue;
        std::string word(mid(record, j + 2, 2));
        word += mid(record, j, 2);
        std::string line = state::hex4(address);
        line += '\t';
        line += assembler::GetOpcodeName(word);
        program.push_back(std::move(line));
        if (words)
            words->push_back(assembler::isWordText(state::upperCase(word)) ? state::readHex(word)
                                                                           : -1);
    }
}

} // namespace

std::optional<std::vector<std::string>> readHexProgram(const std::string& bytes,
                                                       std::vector<int>* words) {
    // Records end at a line end or a comma, as the fields of a list do.
    const auto records = fieldsUpToFirstEmpty(bytes, ",", true);
    if (records.size() > maxHexRecords)
        return std::nullopt;
    std::vector<std::string> program;
    program.reserve(records.size() * 8);
    LoadBase base;
    for (std::string_view record : records)
        decodeRecord(record, base, program, words);
    return program;
}

} // namespace mirel::files
