#include "program_fixture.h"

#include "state/hex_text.h"
#include "state/window_load.h"

namespace mirel::bench {

void loadProgram(state::MainForm& form, const std::vector<std::string>& instructions) {
    state::NoWindowPlacement placement;
    state::NewProgram(form, placement);
    std::vector<std::string> lines;
    lines.reserve(instructions.size());
    for (std::size_t i = 0; i < instructions.size(); ++i)
        lines.push_back(state::hex4(static_cast<long long>(i)) + "\t" + instructions[i]);
    form.Code.assign(std::move(lines));
    form.Code.select(0);
}

std::vector<std::string> repeated(const std::string& instruction, int count) {
    return std::vector<std::string>(static_cast<std::size_t>(count), instruction);
}

} // namespace mirel::bench
