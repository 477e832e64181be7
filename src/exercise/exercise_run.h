#pragma once

#include "exercise.h"
#include "state/main_form.h"

#include <string>

namespace mirel::exercise {

// What a run for grading did, beside the machine it leaves in the form.
struct RunOutcome {
    long long steps = 0;
    long long instructions = 0;
    long long cycles = 0;
    long long messages = 0;
    std::string firstMessage;
    bool stoppedByMessages = false;
    int haltedLine = -1; // the self-jumping line the machine waits on; -1: none
};

// Whether line `index` of Code is an instruction the exercise's model runs.
bool isInstructionLine(const state::MainForm& form, int index);

// Runs the program in `form` (freshly loaded under the exercise's model) as
// the exercise says: its inputs at their steps, up to its step limit or,
// when asked, until the program waits on a line that jumps to itself. Message
// boxes are counted, never shown.
RunOutcome runExercise(const Exercise& exercise, state::MainForm& form);

} // namespace mirel::exercise
