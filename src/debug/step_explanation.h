#pragma once

#include "state/main_form.h"
#include "step_prediction.h"

namespace mirel::sim {
class Simulator;
}

namespace mirel::debug {

// The next Step of `simulator` on `form`, under the rules the machine
// follows, in plain words and as its changes, exactly as the Step will make
// them; neither changes. An empty program explains as an empty text.
StepExplanation explainStep(const state::MainForm& form, sim::Simulator& simulator);

} // namespace mirel::debug
