#include "direct_edits.h"

#include "hex_text.h"
#include "platform.h"
#include "program_counter.h"
#include "program_text.h"
#include "window_load.h"

#include <algorithm>

namespace mirel::state {

namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

bool isLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

// The pieces of the entry between line breaks, as if each had been typed
// alone: a pasted program goes in line by line. Control characters are never
// stored in a program line: a tab counts as a blank, the others go.
std::vector<std::string> typedLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r' || c == '\n' || c == '\v' || c == '\f')
            lines.emplace_back();
        else if (c == '\t')
            lines.back() += ' ';
        else if (u >= 0x20 && u != 0x7F)
            lines.back() += c;
    }
    if (lines.size() > 1)
        std::erase_if(lines, [](const std::string& line) {
            return line.find_first_not_of(' ') == std::string::npos;
        });
    return lines;
}

// Whether the compact entry starts with no address but with a mnemonic:
// "ADD20" (whose first four letters happen to be hex digits) or "NOP".
bool lacksAddress(const std::string& entry) {
    if (entry.empty() || !isLetter(entry[0]))
        return false;
    const bool addressFirst = entry.size() >= 4 &&
                              std::all_of(entry.begin(), entry.begin() + 4, isHexDigit) &&
                              (entry.size() == 4 || isLetter(entry[4]));
    return !addressFirst;
}

// The address of line `index`: the one it carries, else its index.
std::string addressOfLine(const MainForm& form, int index) {
    const std::string& line = form.Code.line(index);
    if (line.size() >= 4 && std::all_of(line.begin(), line.begin() + 4, [](char c) {
            return isHexDigit(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        }))
        return upperCase(line.substr(0, 4));
    return hex4(index);
}

// Writes one typed line into the selected program line. On the final line a
// fresh address line follows and is selected; elsewhere the next line is.
void enterLine(MainForm& form, const std::string& typed) {
    const int selected = form.Code.selectedIndex() < 0 ? 0 : form.Code.selectedIndex();
    std::string entry = upperCase(trimBlanks(removeChar(typed, ' ')));
    if (lacksAddress(entry))
        entry = addressOfLine(form, selected) + entry;
    if (entry.size() < 7)
        return;

    std::string line;
    line.append(mid(entry, 1, 4)).append("\t").append(mid(entry, 5, 3)).append("\t");
    line.append(mid(entry, 8));
    form.Code.replaceAt(selected, std::move(line));

    const int last = form.Code.count() - 1;
    if (selected < last) {
        form.Code.select(selected + 1);
        form.Counter.caretToEnd();
        return;
    }
    // Re-selecting the line that stays selected would be no click; force the refresh.
    if (form.Code.selectedIndex() == last)
        Code_Click(form);
    else
        form.Code.select(last);
    form.Code.append(hex4(form.Code.count()) + "   ");
    form.Code.select(form.Code.count() - 1);
    form.Counter.caretToEnd();
}

} // namespace

void Counter_KeyPress(MainForm& form, int key) {
    if (key != enterKey)
        return;
    const std::string typed = form.Counter.editText();
    // The first Enter without a program makes one, as New does.
    if (form.Code.empty()) {
        NoWindowPlacement placement;
        NewProgram(form, placement);
    }
    for (const std::string& line : typedLines(typed))
        enterLine(form, line);
}

void Mirel_Click(MainForm& form) {
    if (form.Code.count() <= 1)
        return;
    form.Code.select(form.Code.count() - 1);
    form.Code.removeAt(form.Code.count() - 1);
    form.Code.select(form.Code.count() - 1);
}

} // namespace mirel::state
