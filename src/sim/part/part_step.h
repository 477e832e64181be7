#pragma once

#include "execute.h"
#include "interrupts.h"
#include "timer0.h"

namespace mirel::sim::part {

inline constexpr int interruptVector = 0x0004;
// Taking an interrupt is a call to the vector that the part makes itself:
// two cycles in which Timer0 counts on.
inline constexpr int interruptEntryCycles = 2;

// INDF shows the register FSR points at; reached through itself, 0.
template <typename Registers> inline void showIndirect(Registers& registers) {
    const int target = registers.indirect();
    registers.writeHome(reg::INDF,
                        registers.home(target) == reg::INDF ? 0 : registers.read(target));
}

// One step of the part, wherever its machine is kept (see execute.h); the
// machine also gives the program counter the step starts from (currentPc),
// program memory (word), shows the program counter (showPc), runs the port
// tail (portTail) and shows the indirect register in INDF (refreshIndf, with
// showIndirect). Answers the instruction's cycles, 0 while the part
// sleeps on; `woke` tells whether the step woke it, which then executed nothing.
template <typename Machine> inline int partStep(Machine& m, PartState& state, bool& woke) {
    woke = false;
    if (state.sleeping) {
        // Asleep the clock stands; only the pins can wake the part. The
        // instruction after SLP runs at the next step, an interrupt after it.
        m.portTail();
        watchPortB(m, state);
        if (interruptRequested(m)) {
            state.sleeping = false;
            woke = true;
        }
        return 0;
    }
    const int pc = m.currentPc();
    Execution<Machine> run{m, state, (pc + 1) & rules::pcMask};
    execute(run, m.word(pc));
    m.showPc(run.pc);
    m.portTail();
    if (run.timerWritten)
        timerWritten(state);
    else
        countCycles(m, state, run.cycles);
    watchPortB(m, state);
    int cycles = run.cycles;
    if (!state.sleeping && (m.intcon() & intconGIE) != 0 && interruptRequested(m)) {
        m.push(run.pc);
        m.writeHome(reg::INTCON, m.intcon() & ~intconGIE);
        m.showPc(interruptVector);
        countCycles(m, state, interruptEntryCycles);
        cycles += interruptEntryCycles;
    }
    m.refreshIndf();
    return cycles;
}

} // namespace mirel::sim::part
