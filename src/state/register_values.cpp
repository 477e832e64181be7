#include "register_values.h"

#include "hex_text.h"
#include "program_text.h"

#include <array>

namespace mirel::state {

namespace {

constexpr std::size_t columnsLength = 13; // "A5   10100101"
constexpr int prefixedLines = 513;        // the register file's own lines
constexpr std::size_t prefixLength = 5;   // "000C" and a tab

constexpr char hexDigit(int d) {
    return static_cast<char>(d < 10 ? '0' + d : 'A' + d - 10);
}

// The hex and binary columns of every value, made once.
constexpr auto columns = [] {
    std::array<std::array<char, columnsLength>, 256> table{};
    for (int v = 0; v < 256; ++v) {
        auto& c = table[static_cast<std::size_t>(v)];
        c[0] = hexDigit(v >> 4);
        c[1] = hexDigit(v & 0xF);
        c[2] = c[3] = c[4] = ' ';
        for (int bit = 7; bit >= 0; --bit)
            c[static_cast<std::size_t>(12 - bit)] = ((v >> bit) & 1) ? '1' : '0';
    }
    return table;
}();

// The address and tab that begin each line of the register file.
constexpr auto prefixes = [] {
    std::array<std::array<char, prefixLength>, prefixedLines> table{};
    for (int n = 0; n < prefixedLines; ++n) {
        auto& p = table[static_cast<std::size_t>(n)];
        for (int d = 0; d < 4; ++d)
            p[static_cast<std::size_t>(d)] = hexDigit((n >> (12 - 4 * d)) & 0xF);
        p[4] = '\t';
    }
    return table;
}();

} // namespace

void makeRegisterLine(int index, int value, std::string& text) {
    const auto& c = columns[static_cast<std::size_t>(value & 0xFF)];
    if (index >= 0 && index < prefixedLines)
        text.assign(prefixes[static_cast<std::size_t>(index)].data(), prefixLength);
    else
        text.assign(hex4(index)).push_back('\t');
    text.append(c.data(), columnsLength);
}

RegisterValues::RegisterValues(TextList& reg) : reg_(reg) {
    reg_.setLineMaker(this);
    textReset();
}

RegisterValues::~RegisterValues() {
    reg_.setLineMaker(nullptr);
}

void RegisterValues::change(int index, int value) {
    if (!reg_.validIndex(index))
        return;
    const auto at = static_cast<std::size_t>(index);
    const auto v = static_cast<std::uint8_t>(value & 0xFF);
    reg_.changeMadeLine(index, [&] {
        values_[at] = v;
        wellFormed_[at] = 1;
        if (watch_)
            watch_->registerWritten(index, v);
    });
}

void RegisterValues::makeLine(int index, std::string& text) const {
    makeRegisterLine(index, values_[static_cast<std::size_t>(index)], text);
}

// A line put in as text: its value is what characters 6 and 7 read as.
void RegisterValues::readLine(int index) {
    const auto at = static_cast<std::size_t>(index);
    const std::string& text = reg_.line(index);
    const int value = readHex(mid(text, 6, 2)) & 0xFF;
    values_[at] = static_cast<std::uint8_t>(value);
    std::string made;
    makeRegisterLine(index, value, made);
    wellFormed_[at] = made == text ? 1 : 0;
}

void RegisterValues::textInserted(int index) {
    values_.insert(values_.begin() + index, 0);
    wellFormed_.insert(wellFormed_.begin() + index, 0);
    // The lines after it moved: their made text would carry the wrong address.
    for (int i = index; i < reg_.count(); ++i)
        readLine(i);
    if (watch_)
        watch_->registerTextChanged(RegisterWatch::Event::Inserted, index);
}

void RegisterValues::textRemoved(int index) {
    values_.erase(values_.begin() + index);
    wellFormed_.erase(wellFormed_.begin() + index);
    for (int i = index; i < reg_.count(); ++i)
        readLine(i);
    if (watch_)
        watch_->registerTextChanged(RegisterWatch::Event::Removed, index);
}

void RegisterValues::textReplaced(int index) {
    readLine(index);
    if (watch_)
        watch_->registerTextChanged(RegisterWatch::Event::Replaced, index);
}

void RegisterValues::textReset() {
    values_.assign(static_cast<std::size_t>(reg_.count()), 0);
    wellFormed_.assign(values_.size(), 0);
    for (int i = 0; i < reg_.count(); ++i)
        readLine(i);
    if (watch_)
        watch_->registerTextChanged(RegisterWatch::Event::Reset, -1);
}

} // namespace mirel::state
