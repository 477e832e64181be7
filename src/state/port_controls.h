#pragma once

#include "main_form.h"

#include <array>
#include <cstdint>

namespace mirel::state {

// The lamps and the input boxes as bits, port A in the low byte, B in the high.
struct PortControls {
    std::uint16_t lamps = 0;
    std::uint16_t boxesShown = 0;
    std::uint16_t boxesEnabled = 0;
};

inline PortControls readPortControls(const MainForm& form) {
    unsigned lamps = 0, shown = 0, enabled = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        lamps |= (form.RA[i].lit() ? 1u : 0u) << i | (form.RB[i].lit() ? 1u : 0u) << (i + 8);
        shown |= (form.InA[i].visible() ? 1u : 0u) << i | (form.InB[i].visible() ? 1u : 0u)
                                                              << (i + 8);
        enabled |= (form.InA[i].enabled() ? 1u : 0u) << i | (form.InB[i].enabled() ? 1u : 0u)
                                                                << (i + 8);
    }
    return {static_cast<std::uint16_t>(lamps), static_cast<std::uint16_t>(shown),
            static_cast<std::uint16_t>(enabled)};
}

// The input boxes of one port that are ticked, as bits.
inline int tickedInputs(const std::array<CheckBoxModel, 8>& boxes) {
    int bits = 0;
    for (std::size_t i = 0; i < 8; ++i)
        bits |= (boxes[i].value() != 0 ? 1 : 0) << i;
    return bits;
}

} // namespace mirel::state
