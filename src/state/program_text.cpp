#include "program_text.h"

#include <algorithm>

namespace mirel::state {

std::string_view mid(std::string_view text, std::size_t start, std::size_t length) {
    if (start == 0 || start > text.size())
        return {};
    return text.substr(start - 1, length);
}

std::string upperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string removeChar(std::string_view text, char c) {
    std::string out;
    out.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), [c](char x) { return x != c; });
    return out;
}

std::string trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string latin1ToUtf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::string tabsAsBlanks(std::string_view line) {
    std::string out;
    out.reserve(line.size() + 8);
    for (char c : line) {
        if (c == '\t')
            out.append(5, ' ');
        else
            out.push_back(c);
    }
    return out;
}

std::string compactText(std::string_view line) {
    return upperCase(trimBlanks(removeChar(removeChar(line, '\t'), ' ')));
}

} // namespace mirel::state
