#pragma once

#include "cycle.h"

namespace mirel::sim {

// Entries a program may nest before each further call is reported.
inline constexpr int stackLimit = 8;
inline constexpr const char* stackOverflowMessage = "Out of SP Limit.";
inline constexpr const char* stackUnderflowMessage = " RTS wihtout JSR.";

// Entries below the heading "SP".
int stackDepth(const state::MainForm& form);

// Appends the decimal Code index of a calling instruction. Beyond the limit
// the entry stays and the overflow message is shown.
void pushReturn(Cycle& cycle, int callingIndex);

// Takes the top entry off and answers its index. With no entry the underflow
// message is shown, the heading is put back and the answer is 0.
int popReturn(Cycle& cycle);

} // namespace mirel::sim
