#pragma once

#include "exercise_run.h"
#include "grading.h"

namespace mirel::exercise {

// What the check asks for, in the words the results show: "3C", "1", "at most 20".
std::string expectedText(const Check& check);

// The check against the machine a run left in `form`.
CheckResult checkResult(const Check& check, const state::MainForm& form, const RunOutcome& run);

} // namespace mirel::exercise
