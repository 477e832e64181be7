#include "hex_text.h"

#include <cstdint>

namespace mirel::state {

namespace {
int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
} // namespace

int readHex(std::string_view text) {
    std::uint32_t value = 0;
    std::size_t digits = 0;
    for (char c : text) {
        const int d = digitValue(c);
        if (d < 0)
            break;
        value = (value << 4) | static_cast<std::uint32_t>(d);
        ++digits;
    }
    if (digits == 0)
        return 0;
    if (digits <= 4)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFFu));
    return static_cast<std::int32_t>(value);
}

std::string toHex(long long value, int width) {
    static constexpr char digits[] = "0123456789ABCDEF";
    auto v = static_cast<std::uint64_t>(value);
    if (value < 0)
        v &= 0xFFFFFFFFull;
    std::string out;
    do {
        out.insert(out.begin(), digits[v & 0xF]);
        v >>= 4;
    } while (v != 0);
    if (static_cast<int>(out.size()) < width)
        out.insert(0, static_cast<std::size_t>(width) - out.size(), '0');
    return out;
}

} // namespace mirel::state
