// How much memory the Step Back journal holds for its full 100,000 steps
// under each model: the heap in use before and after stepping a program that
// changes registers, flags, W and the stack on most steps, and under each
// part a program that Timer0's interrupt breaks into after every instruction
// (the count of interrupts is shown modulo 256).
#include "debug/debugger.h"
#include "program_fixture.h"
#include "state/register_file.h"

#include <malloc.h>

#include <cstdio>

namespace {

using namespace mirel;

// Large blocks come straight from mmap and are not in uordblks: count both.
std::size_t heapInUse() {
    const auto info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void measure(const char* name, parts::Model model, const std::vector<std::string>& program) {
    state::MainForm form;
    form.chosenModel = model;
    bench::loadProgram(form, program);
    bench::SilentMessages messages;
    sim::Simulator simulator(form, messages);
    debug::Debugger debugger(form, simulator, nullptr);

    const auto before = heapInUse();
    const std::size_t steps = debug::StepJournal::maxSteps;
    for (std::size_t i = 0; i < steps; ++i)
        simulator.Step_Click();
    const auto after = heapInUse();
    std::printf("%-28s %zu steps held in %5.1f MB (%4.0f bytes a step), interrupts: %d of 256\n",
                name, debugger.journal().size(), static_cast<double>(after - before) / 1e6,
                static_cast<double>(after - before) / static_cast<double>(steps),
                state::readRegister(form, 0x21));
}

} // namespace

int main() {
    measure("teaching model", parts::Model::Teaching,
            {"INC\t20", "DEC\t21 W", "ADD\t22", "SPA\t23", "JSR\t0007", "STA\t05", "JMP\t0000",
             "RLA\t24", "XOR\t25 W", "RTS"});
    // Timer0 counts every cycle; the handler at 0004 counts in 21 and sets
    // TMR0 to FF, so that it overflows again right after the return.
    const std::vector<std::string> interrupted = {"JMP\t0009", "NOP",       "NOP",      "NOP",
                                                  "INC\t21",   "LDA\tFF H", "STA\t01",  "RES\t0B,2",
                                                  "RTI",       "LDA\t08 H", "OPTION",   "LDA\tA0 H",
                                                  "STA\t0B",   "INC\t20",   "JMP\t000D"};
    for (parts::Model model : {parts::Model::F84A, parts::Model::F628A, parts::Model::F877A}) {
        const std::string name = std::string(parts::modelName(model)) + " interrupted";
        measure(name.c_str(), model, interrupted);
    }
    return 0;
}
