#pragma once

#include "exercise.h"

#include <optional>
#include <string>
#include <string_view>

namespace mirel::exercise {

// Reads what a check tests, as "22 = 3C", "PORTB.0 = 1", "W != 00", "halted at
// 0007", "stack empty", "no messages", "cycles <= 40". Register names are the
// model's; the teaching model knows those of the 16F84A. False with `error`
// set when the text says nothing a check can test.
bool readCheckText(std::string_view text, parts::Model model, Check& check, std::string& error);

// A decimal count of 0 or more, nothing else.
std::optional<long long> wholeNumber(std::string_view text);

// One to `digits` hexadecimal digits of either case, nothing else.
std::optional<int> hexValue(std::string_view text, std::size_t digits);

// Whether two texts are the same words, ignoring case and the blanks between.
bool sameWords(std::string_view a, std::string_view b);

} // namespace mirel::exercise
