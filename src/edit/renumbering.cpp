#include "renumbering.h"

#include "asm/instruction_table.h"
#include "state/hex_text.h"
#include "state/program_text.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace mirel::edit {

namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The address a line carries when its first four characters are hex digits;
// other lines (the end mark, a comment) keep their text and are not renumbered.
std::optional<int> addressField(const std::string& line) {
    if (line.size() < 4 || !std::all_of(line.begin(), line.begin() + 4, isHexDigit))
        return std::nullopt;
    return state::readHex(state::mid(line, 1, 4));
}

std::string addressText(int address) {
    return state::hex4(address & 0xFFFF);
}

// Whether the line is a JMP or JSR, read as a step reads it.
bool isJump(const std::string& compact) {
    const auto operation = assembler::operationOf(state::mid(compact, 5, 3));
    return operation == assembler::Operation::Jmp || operation == assembler::Operation::Jsr;
}

int operandOf(const std::string& compact) {
    return state::readHex(state::mid(compact, 8, 4));
}

// Writes `target` over the operand digits a step reads (compact characters 8
// to 11), leaving the rest of the line as typed.
void rewriteOperand(std::string& line, int target) {
    std::vector<std::size_t> raw; // raw position of each compact character
    for (std::size_t i = 0; i < line.size(); ++i)
        if (!isBlank(line[i]))
            raw.push_back(i);
    std::size_t digits = 0;
    while (digits < 4 && 7 + digits < raw.size() && isHexDigit(line[raw[7 + digits]]))
        ++digits;
    const std::size_t from = raw.size() > 7 ? raw[7] : line.size();
    const std::size_t to = digits > 0 ? raw[7 + digits - 1] + 1 : from;
    // An operand written where there was none gets its tab, as typed lines have.
    const bool bare = from == line.size() && !line.empty() && !isBlank(line.back());
    line.replace(from, to - from, (bare ? "\t" : "") + addressText(target));
}

// Where jumps go in one state of the program, without walking it per jump.
class Targets {
public:
    explicit Targets(const Lines& lines) : count_(static_cast<int>(lines.size())) {
        for (int i = 0; i < count_; ++i)
            first_.try_emplace(state::readHex(state::mid(lines[static_cast<std::size_t>(i)], 1, 4)),
                               i);
    }
    bool carries(int address) const { return first_.contains(address); }
    std::optional<int> resolve(int target) const {
        if (const auto found = first_.find(target); found != first_.end())
            return found->second;
        if (target >= 0 && target < count_)
            return target;
        return std::nullopt;
    }

private:
    int count_;
    std::unordered_map<int, int> first_;
};

// The NOP takes the address of the line it goes before; a line without one
// gets the address after the line above it.
std::string nopLine(const Lines& lines, std::size_t index) {
    if (addressField(lines[index]))
        return lines[index].substr(0, 4) + "\tNOP";
    if (index > 0)
        if (const auto above = addressField(lines[index - 1]))
            return addressText(*above + 1) + "\tNOP";
    return addressText(static_cast<int>(index)) + "\tNOP";
}

// delta +1: a NOP goes before line `index`; delta -1: line `index` goes.
Lines edited(const Lines& lines, int index, int delta) {
    const auto at = static_cast<std::size_t>(index);
    const Targets before(lines);
    Lines out;
    out.reserve(lines.size() + 1);
    for (std::size_t j = 0; j < lines.size(); ++j) {
        if (j == at && delta > 0)
            out.push_back(nopLine(lines, at));
        if (j == at && delta < 0)
            continue;
        std::string line = lines[j];
        if (j >= at)
            if (const auto address = addressField(line))
                line.replace(0, 4, addressText(*address + delta));
        out.push_back(std::move(line));
    }
    const int count = static_cast<int>(out.size());
    const Targets after(out);

    // Where an old line is now; the deleted line's place goes to the line
    // that followed it.
    const auto moved = [&](int j) -> std::optional<int> {
        const int now = j < index ? j : j + delta + (delta < 0 && j == index ? 1 : 0);
        if (now >= count)
            return std::nullopt;
        return now;
    };
    // An assembler with labels moves every address from the point on alike.
    const std::optional<int> point = delta > 0 ? addressField(out[at]) : addressField(lines[at]);
    const auto alike = [&](int target) {
        if (!point)
            return target;
        return delta > 0 ? (target >= *point ? target + 1 : target)
                         : (target > *point ? target - 1 : target);
    };

    for (int j = 0; j < static_cast<int>(lines.size()); ++j) {
        if (j == index && delta < 0)
            continue;
        const std::string compact = state::compactText(lines[static_cast<std::size_t>(j)]);
        if (!isJump(compact))
            continue;
        const int target = operandOf(compact);
        const auto was = before.resolve(target);
        const int wanted = was ? moved(*was).value_or(-1) : -1; // -1: no line
        // Lines carrying odd addresses (none, twice, out of order) may need
        // another operand than the shifted one to reach the same line; a jump
        // that went by line index keeps going by index where it can.
        std::array<std::optional<int>, 4> choices{alike(target), target, std::nullopt,
                                                  std::nullopt};
        if (wanted >= 0) {
            const bool byIndex = !before.carries(target);
            choices[byIndex ? 3 : 2] = addressField(out[static_cast<std::size_t>(wanted)]);
            choices[byIndex ? 2 : 3] = wanted;
        }
        int chosen = alike(target);
        for (const auto& choice : choices)
            if (choice && after.resolve(*choice).value_or(-1) == wanted) {
                chosen = *choice;
                break;
            }
        if (chosen != target)
            rewriteOperand(out[static_cast<std::size_t>(*moved(j))], chosen);
    }
    return out;
}

} // namespace

std::optional<int> jumpTarget(const Lines& lines, int target) {
    return Targets(lines).resolve(target);
}

Lines withNopInserted(const Lines& lines, int index) {
    if (index < 0 || index >= static_cast<int>(lines.size()))
        return lines;
    return edited(lines, index, +1);
}

bool jumpsPastTheirRange(const Lines& before, const Lines& after) {
    const auto past = [](const Lines& lines) {
        return std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
            const std::string compact = state::compactText(line);
            return isJump(compact) && operandOf(compact) > 0x7FF;
        });
    };
    return past(after) > past(before);
}

Lines withLineDeleted(const Lines& lines, int index) {
    if (index < 0 || index >= static_cast<int>(lines.size()))
        return lines;
    return edited(lines, index, -1);
}

} // namespace mirel::edit
