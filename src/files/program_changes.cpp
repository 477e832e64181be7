#include "program_changes.h"

namespace mirel::files {

ProgramChanges::ProgramChanges(state::TextList& code) : code_(code) {
    code_.addObserver(this);
}

ProgramChanges::~ProgramChanges() {
    code_.removeObserver(this);
}

} // namespace mirel::files
