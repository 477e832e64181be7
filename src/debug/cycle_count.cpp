#include "cycle_count.h"

#include <cstdio>

namespace mirel::debug {

namespace {
// Microseconds up to a millisecond, then milliseconds, then seconds.
std::string duration(long long us) {
    char text[48];
    if (us < 1000)
        std::snprintf(text, sizeof text, "%lld \xC2\xB5s", us);
    else if (us < 1000000)
        std::snprintf(text, sizeof text, "%.3f ms", static_cast<double>(us) / 1e3);
    else
        std::snprintf(text, sizeof text, "%.6f s", static_cast<double>(us) / 1e6);
    return text;
}
} // namespace

std::string statusText(const CycleCount& count) {
    return "Instructions: " + std::to_string(count.instructions) +
           "    Cycles: " + std::to_string(count.cycles) +
           "    Time at 4 MHz: " + duration(count.cycles);
}

} // namespace mirel::debug
