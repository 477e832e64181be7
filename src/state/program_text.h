#pragma once

#include <string>
#include <string_view>

namespace mirel::state {

// Characters `start` (counted from 1) onward, at most `length` of them; empty
// when the text is shorter. Fixed-position fields read safely on short lines.
std::string_view mid(std::string_view text, std::size_t start,
                     std::size_t length = std::string_view::npos);

std::string upperCase(std::string_view text);
std::string removeChar(std::string_view text, char c);
// Strips blanks at both ends (tabs stay).
std::string trimBlanks(std::string_view text);

// Program text is 8-bit (one character a byte, Latin-1); messages are UTF-8,
// so that a file name shows as the file system names it beside it.
std::string latin1ToUtf8(std::string_view text);

// A program memory line as the program counter view shows it.
std::string tabsAsBlanks(std::string_view line);

// A program memory line without tabs and blanks, upper-cased: address at
// characters 1-4, mnemonic at 5-7, operand from 8.
std::string compactText(std::string_view line);

} // namespace mirel::state
