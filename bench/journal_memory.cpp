// How much memory the Step Back journal holds for its full 100,000 steps:
// the heap in use before and after stepping a program that changes
// registers, flags, W and the stack on most steps.
#include "debug/debugger.h"
#include "program_fixture.h"

#include <malloc.h>

#include <cstdio>

namespace {

// Large blocks come straight from mmap and are not in uordblks: count both.
std::size_t heapInUse() {
    const auto info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

} // namespace

int main() {
    using namespace mirel;
    state::MainForm form;
    bench::loadProgram(form, {"INC\t20", "DEC\t21 W", "ADD\t22", "SPA\t23", "JSR\t0007", "STA\t05",
                              "JMP\t0000", "RLA\t24", "XOR\t25 W", "RTS"});
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    debug::Debugger debugger(form, simulator, nullptr);

    const auto before = heapInUse();
    const std::size_t steps = debug::StepJournal::maxSteps;
    for (std::size_t i = 0; i < steps; ++i)
        simulator.Step_Click();
    const auto after = heapInUse();
    std::printf("journal: %zu steps held in %.1f MB (%.0f bytes a step)\n",
                debugger.journal().size(), static_cast<double>(after - before) / 1e6,
                static_cast<double>(after - before) / static_cast<double>(steps));
    return 0;
}
