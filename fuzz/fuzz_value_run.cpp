// Runs on values against Steps: the first byte ticks input boxes and sizes
// the runs, the second picks the file kind and the rules (the teaching model,
// then each part), the rest is the file. One machine
// steps the program 400 times, the other runs it as long runs; every text and
// control both show, and every message, must agree after every few runs.
#include "files/open_program.h"
#include "parts/model.h"
#include "sim/simulator.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace mirel;

class Messages final : public state::MessageBoxService {
public:
    void show(const std::string& text, const std::string&, state::MessageIcon) override {
        shown += text + '\n';
    }
    std::string shown;
};

std::string everything(const state::MainForm& f, const Messages& m) {
    std::string s = f.W.text() + '|';
    for (const auto& bit : f.RW)
        s += bit.text();
    s += '|' + std::to_string(f.Code.selectedIndex()) + '|' +
         std::to_string(f.Counter.firstLine()) + ' ' + std::to_string(f.Counter.selectedEntry()) +
         ' ' + std::to_string(f.Counter.caret()) + ' ' + f.Counter.editText() + '|';
    for (std::size_t i = 0; i < 8; ++i)
        s += std::to_string(f.RA[i].picture()) + std::to_string(f.RB[i].picture()) +
             (f.InA[i].visible() ? 'v' : '-') + (f.InB[i].visible() ? 'v' : '-') +
             (f.InA[i].enabled() ? 'e' : '-') + (f.InB[i].enabled() ? 'e' : '-');
    for (const auto& line : f.SPReg.lines())
        s += line + ',';
    for (const auto& line : f.Reg.lines())
        s += line + '\n';
    return s + m.shown;
}

struct Machine {
    Machine(std::vector<std::string> lines, int ticks, parts::Model model) {
        state::NoWindowPlacement placement;
        form.chosenModel = model;
        files::loadProgram(form, placement, std::move(lines));
        for (std::size_t i = 0; i < 8; ++i) {
            form.InA[i].setValue((ticks >> i) & 1 & (ticks >> 3));
            form.InB[i].setValue((ticks >> (7 - i)) & 1 & (ticks >> 2));
        }
    }
    state::MainForm form;
    Messages messages;
    sim::Simulator simulator{form, messages};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const auto kind = static_cast<files::ProgramKind>(data[1] % 3 + 1);
    const std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);
    std::string error;
    auto lines = files::decodeProgram(kind, bytes, "fuzz", error);
    if (!lines)
        return 0;
    const auto models = parts::allModels();
    const parts::Model model = models[(data[1] / 3) % models.size()];
    Machine stepped(*lines, data[0], model), run(*lines, data[0], model);
    constexpr int steps = 400;
    const int longest = 2 + data[0] % 97;
    for (int done = 0, round = 0; done < steps; ++round) {
        const int ran = static_cast<int>(run.simulator.run(1 + (round * 37) % longest));
        for (int i = 0; i < ran; ++i)
            stepped.simulator.Step_Click();
        done += ran;
        // Every few runs and after the last: a drift shows in what follows too.
        if ((round % 16 == 0 || done >= steps) &&
            everything(run.form, run.messages) != everything(stepped.form, stepped.messages))
            std::abort();
    }
    return 0;
}
