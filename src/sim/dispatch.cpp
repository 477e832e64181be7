#include "dispatch.h"

#include "state/program_text.h"

namespace mirel::sim {

std::optional<Next> execute(Cycle& cycle) {
    const std::string_view mnemonic = state::mid(cycle.text, 5, 3);
    if (mnemonic == "NOP")
        return Next::Advance;
    return std::nullopt;
}

} // namespace mirel::sim
