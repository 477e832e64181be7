#pragma once

#include "state/main_form.h"
#include "state/platform.h"

namespace mirel::sim {

// Entries a program may nest before each further call is reported.
inline constexpr int stackLimit = 8;
inline constexpr const char* stackOverflowMessage = "Out of SP Limit.";
inline constexpr const char* stackUnderflowMessage = " RTS wihtout JSR.";
inline constexpr const char* noTargetLineMessage = "No program line at address ";
inline constexpr const char* noReturnLineMessage = "No program line to return to.";

// Entries below the heading "SP".
int stackDepth(const state::MainForm& form);

// Appends the decimal Code index of a calling instruction. Beyond the limit
// the entry stays and the overflow message is shown.
void pushReturn(state::MainForm& form, state::MessageBoxService& messages, int callingIndex);

// Takes the top entry off and answers its index. With no entry the underflow
// message is shown, the heading is put back and the answer is 0.
int popReturn(state::MainForm& form, state::MessageBoxService& messages);

} // namespace mirel::sim
