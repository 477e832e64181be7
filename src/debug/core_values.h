#pragma once

#include "sim/part/part_value_core.h"
#include "sim/teaching/value_core.h"
#include "state/main_form.h"
#include "state/w_register.h"

namespace mirel::debug {

// A register line's value (W for -1) as a core holds it during a run, and
// as the form shows it between steps.
inline int valueOf(const sim::ValueCore& core, int reg) {
    return reg < 0 ? core.w() : core.value(reg);
}
inline int valueOf(const sim::part::PartValueCore& core, int reg) {
    return reg < 0 ? core.w() : core.lineValue(reg);
}
inline int valueOf(const state::MainForm& form, int reg) {
    return reg < 0 ? state::WData(form) : form.registers.value(reg);
}

} // namespace mirel::debug
