#pragma once

#include <string>
#include <string_view>

namespace mirel::state {

// Reads a text as a hexadecimal number: the hex digits (either case) from the
// start up to the first other character, 0 when there are none. Up to four
// digits are a 16-bit two's-complement value (FFFF is -1), five to eight a
// 32-bit one; longer runs keep their low 32 bits.
int readHex(std::string_view text);

// Upper-case hexadecimal, padded on the left with "0" to at least `width` digits.
// Negative values are written as their 32-bit two's complement.
std::string toHex(long long value, int width);
inline std::string hex2(long long value) {
    return toHex(value, 2);
}
inline std::string hex4(long long value) {
    return toHex(value, 4);
}

} // namespace mirel::state
