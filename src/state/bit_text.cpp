#include "bit_text.h"

namespace mirel::state {

std::string DecBinConv(int& Dec) {
    std::string bits;
    bits.reserve(8);
    for (int i = 7; i >= 0; --i) {
        const int t = Dec - (1 << i);
        char digit = '0';
        if (t >= 0) {
            Dec = t;
            digit = '1';
        }
        bits.push_back(digit);
    }
    return bits;
}

int BinDecCon(std::string_view VTrans) {
    long long sum = 0;
    const std::size_t n = VTrans.size();
    for (std::size_t i = 0; i < n && i < 62; ++i) {
        const char c = VTrans[n - 1 - i];
        const int digit = (c >= '0' && c <= '9') ? c - '0' : 0;
        sum += static_cast<long long>(digit) << i;
    }
    return static_cast<int>(sum);
}

} // namespace mirel::state
