#include "export_walk.h"

#include "hex_records.h"
#include "line_assembler.h"
#include "line_text.h"
#include "state/hex_text.h"
#include "state/program_text.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace mirel::assembler {

namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// A line that holds no program: the end mark, an address alone, nothing.
bool holdsNoProgram(const std::string& line) {
    const std::string compact = state::compactText(line);
    if (compact.empty() || AsmCodeRun(compact) == endAnswer)
        return true;
    if (compact.size() <= 4 && std::all_of(compact.begin(), compact.end(), isHexDigit))
        return true;
    return startsWithAddress(compact) && AsmCodeRun(state::mid(compact, 5)) == endAnswer;
}

// An address alone says so: a colon with nothing after it reads as a fault of the message.
std::string refusal(const std::string& address, const std::string& line, bool hasAddress) {
    std::string text = instructionForMessage(line, hasAddress);
    return "Line " + address + " cannot be assembled: " + (text.empty() ? "no instruction" : text);
}

} // namespace

ExportResult AsmProgram(state::MainForm& form) {
    ExportResult result;
    int counter = 0; // addresses of lines that carry none
    std::vector<std::uint8_t> data;
    std::vector<PlacedWord> placed; // each word at the address its line carries
    std::string source;

    const std::vector<std::string>& lines = form.Code.lines();
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        const std::string compact = state::compactText(*line);
        std::string r = AsmCodeRun(compact);
        std::string address;
        std::string_view statement = compact;
        const bool hasAddress = r == addressAnswer;
        bool endMark = r == endAnswer;
        if (!hasAddress) {
            address = state::hex4(counter++);
        } else {
            statement = state::mid(compact, 5);
            r = AsmCodeRun(statement);
            endMark = r == endAnswer;
            if (r == addressAnswer)
                r = endAnswer;
            address = state::mid(compact, 1, 4);
        }
        if (r == endAnswer) {
            // The walk ends here. Without a word only at the end mark, or
            // where nothing but empty and address lines and end marks
            // follow; anything else would save a shortened program.
            if (endMark || std::all_of(line, lines.end(), holdsNoProgram))
                break;
            const bool addressed = startsWithAddress(compact);
            result.refusal = refusal(addressed ? address : state::hex4(counter), *line, addressed);
            return result;
        }
        // A malformed line would shift every later word in the hex data and
        // put a non-digit into it: refuse the whole export instead.
        if (!isWordText(r)) {
            result.refusal = refusal(address, *line, hasAddress);
            return result;
        }
        const int word = state::readHex(r) & 0xFFFF;
        data.push_back(static_cast<std::uint8_t>(word & 0xFF));
        data.push_back(static_cast<std::uint8_t>(word >> 8));
        placed.push_back({state::readHex(address), static_cast<std::uint16_t>(word)});

        source += address;
        source += '\t';
        source += r;
        source += '\t';
        source += state::mid(statement, 1, 3);
        source += "   ";
        source += state::mid(statement, 4);
        source += "\r\n";
    }
    result.words = data.size() / 2;
    result.lastAddress = static_cast<int>(result.words) - 1;
    if (form.model != parts::Model::Teaching)
        for (const PlacedWord& word : placed)
            result.lastAddress = std::max(result.lastAddress, static_cast<int>(word.address));
    form.Text2.setText(std::move(source));
    // A part's program keeps its gaps (a jump at 0000, the interrupt routine at
    // 0004): the words go where their lines say. The teaching model's follow
    // one another.
    form.Text1.setText(form.model == parts::Model::Teaching ? hexRecords(data)
                                                            : placedHexRecords(std::move(placed)));
    return result;
}

} // namespace mirel::assembler
