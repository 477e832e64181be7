#pragma once

#include "cycle.h"

#include <string>

namespace mirel::sim {

// One rule per instruction. Each reads its operands from the decoded line of
// the cycle, stores its results, and says how the program counter moves on.

// Whole bytes: move, combine, count.
Next nop(Cycle& cycle);
Next sta(Cycle& cycle);
Next clr(Cycle& cycle);
Next sub(Cycle& cycle);
Next dec(Cycle& cycle);
Next ora(Cycle& cycle);
Next andWith(Cycle& cycle);
Next xorWith(Cycle& cycle);
Next add(Cycle& cycle);
Next lda(Cycle& cycle);
Next cpl(Cycle& cycle);
Next inc(Cycle& cycle);

// Count and skip, rotate through carry, swap halves.
Next dez(Cycle& cycle);
Next inz(Cycle& cycle);
Next rra(Cycle& cycle);
Next rla(Cycle& cycle);
Next spa(Cycle& cycle);

// Single bits.
Next res(Cycle& cycle);
Next set(Cycle& cycle);
Next jbr(Cycle& cycle);
Next jbs(Cycle& cycle);

// Control transfer; SLP and WDT have no sleep state or watchdog and run as NOP.
Next jmp(Cycle& cycle);
Next jsr(Cycle& cycle);
Next ret(Cycle& cycle);
Next rts(Cycle& cycle);

inline constexpr const char* noTargetLineMessage = "No program line at address ";
inline constexpr const char* noReturnLineMessage = "No program line to return to.";

// The operand fields every family reads.
namespace operand {
// The Reg index of the register operand (characters 8 and 9), bank applied.
int registerIndex(const Cycle& cycle);
// The register operand's value.
int registerValue(const Cycle& cycle);
// Character 10: the destination mark, or the comma of a bit operand.
bool toW(const Cycle& cycle);
} // namespace operand

// A result into W or back into the register operand.
void storeResult(Cycle& cycle, bool toW, int index, int value);

} // namespace mirel::sim
