#include "hex_program_reader.h"

#include "asm/disassembler.h"
#include "state/hex_text.h"
#include "state/program_text.h"

#include <string_view>

namespace mirel::files {

namespace {

// The records of the file, or empty when there are too many.
std::optional<std::vector<std::string_view>> hexFields(std::string_view bytes) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        while (pos < bytes.size() && bytes[pos] == ' ')
            ++pos;
        const std::size_t end = bytes.find_first_of("\r\n,", pos);
        const std::string_view field =
            bytes.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        if (field.empty())
            break;
        if (fields.size() == maxHexRecords)
            return std::nullopt;
        fields.push_back(field);
        if (end == std::string_view::npos)
            break;
        pos = end + 1;
        if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
    return fields;
}

// Byte address to word address: halved, a half rounding to the even neighbour.
int wordAddress(int byteAddress) {
    int word = byteAddress / 2;
    if (byteAddress % 2 != 0 && word % 2 != 0)
        ++word;
    return word;
}

void decodeRecord(std::string_view record, std::vector<std::string>& program) {
    using state::mid;
    const int count = state::readHex(mid(record, 2, 2)) & 0xFF;
    int address = wordAddress(state::readHex(mid(record, 4, 4)) & 0xFFFF);
    if (mid(record, 9, 1) == "1")
        program.emplace_back(endLine);
    // Two bytes per word, low byte first: characters j, j+1 are the low byte.
    for (std::size_t j = 10; j <= static_cast<std::size_t>(2 * count + 6); j += 4) {
        std::string word(mid(record, j + 2, 2));
        word += mid(record, j, 2);
        std::string line = state::hex4(address++);
        line += '\t';
        line += assembler::GetOpcodeName(word);
        program.push_back(std::move(line));
    }
}

} // namespace

std::optional<std::vector<std::string>> readHexProgram(const std::string& bytes) {
    const auto records = hexFields(bytes);
    if (!records)
        return std::nullopt;
    std::vector<std::string> program;
    program.reserve(records->size() * 8);
    for (std::string_view record : *records)
        decodeRecord(record, program);
    return program;
}

} // namespace mirel::files
