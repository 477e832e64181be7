// The first byte picks the file kind and the rules (first byte / 3: the
// teaching model, then each part), the rest is the file: Open it, step the
// program a few hundred times, then export it as Save does.
#include "asm/export_walk.h"
#include "files/open_program.h"
#include "sim/simulator.h"

#include <cstddef>
#include <cstdint>

namespace {
class NoMessages final : public mirel::state::MessageBoxService {
public:
    void show(const std::string&, const std::string&, mirel::state::MessageIcon) override {}
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mirel;
    if (size == 0)
        return 0;
    const auto kind = static_cast<files::ProgramKind>(data[0] % 3 + 1);
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string error;
    auto lines = files::decodeProgram(kind, bytes, "fuzz", error);
    if (!lines)
        return 0;
    state::MainForm form;
    const auto models = parts::allModels();
    form.chosenModel = models[(data[0] / 3) % models.size()];
    state::NoWindowPlacement placement;
    files::loadProgram(form, placement, std::move(*lines));
    NoMessages messages;
    sim::Simulator simulator(form, messages);
    for (int i = 0; i < 300; ++i)
        simulator.Step_Click();
    assembler::AsmProgram(form);
    return 0;
}
