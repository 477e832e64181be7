#pragma once

#include <string>
#include <string_view>

namespace mirel::state {

// Eight "0"/"1" characters, bit 7 first, taking each weight off `Dec` in turn:
// what is left stays in `Dec` (0 for any value 0 to 255; a negative value is untouched).
std::string DecBinConv(int& Dec);
// Convenience for callers that do not want the remainder.
inline std::string bitText(int value) {
    return DecBinConv(value);
}

// Each character weighted by its power of two from the right; a digit counts
// as its value, any other character as 0.
int BinDecCon(std::string_view VTrans);

} // namespace mirel::state
