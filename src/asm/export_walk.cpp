#include "export_walk.h"

#include "hex_records.h"
#include "line_assembler.h"
#include "state/hex_text.h"
#include "state/program_text.h"

#include <cstdint>
#include <vector>

namespace mirel::assembler {

namespace {

// The instruction text of a line for a message: without its address when it
// carries one, tabs shown as blanks.
std::string instructionForMessage(const std::string& line, bool hasAddress) {
    std::string_view text = line;
    if (hasAddress) {
        const auto tab = text.find('\t');
        text = tab != std::string_view::npos ? text.substr(tab + 1) : state::mid(text, 5);
    }
    std::string shown(text);
    for (char& c : shown)
        if (c == '\t')
            c = ' ';
    return state::trimBlanks(shown);
}

} // namespace

ExportResult AsmProgram(state::MainForm& form) {
    ExportResult result;
    int counter = 0; // addresses of lines that carry none
    std::vector<std::uint8_t> data;
    std::string source;

    for (const std::string& line : form.Code.lines()) {
        const std::string compact = state::compactText(line);
        std::string r = AsmCodeRun(compact);
        std::string address;
        std::string_view statement = compact;
        const bool hasAddress = r == addressAnswer;
        if (!hasAddress) {
            address = state::hex4(counter++);
        } else {
            statement = state::mid(compact, 5);
            r = AsmCodeRun(statement);
            if (r == addressAnswer)
                r = endAnswer;
            address = state::mid(compact, 1, 4);
        }
        if (r == endAnswer)
            break;
        // A malformed line would shift every later word in the hex data and
        // put a non-digit into it: refuse the whole export instead.
        if (!isWordText(r)) {
            result.refusal = "Line " + address +
                             " cannot be assembled: " + instructionForMessage(line, hasAddress);
            return result;
        }
        const int word = state::readHex(r) & 0xFFFF;
        data.push_back(static_cast<std::uint8_t>(word & 0xFF));
        data.push_back(static_cast<std::uint8_t>(word >> 8));

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
    form.Text2.setText(std::move(source));
    form.Text1.setText(hexRecords(data));
    return result;
}

} // namespace mirel::assembler
